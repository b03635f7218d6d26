#include "window_picture.h"
#include "report.h"
#include <vector>

namespace {

const int Margin = 8;  // pixels of desktop around the frame

bool WriteBitmap(const std::wstring &file, const BITMAPINFOHEADER &header, const std::vector<BYTE> &pixels)
{
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written;
    bool ok = WriteFile(out, &fileHeader, sizeof fileHeader, &written, nullptr) &&
              WriteFile(out, &header, sizeof header, &written, nullptr) &&
              WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    return CloseHandle(out) && ok;
}

// Painted afresh and given back to its thread's message loop, where Wine
// hands the window's pixels to the display; then a moment for the display.
void LetPaint(HWND window)
{
    const DWORD settleMs = 300;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR ignored;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    Sleep(settleMs);
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::wstring &file)
{
    LetPaint(window);
    RECT frame;
    GetWindowRect(window, &frame);
    int left = frame.left - Margin, top = frame.top - Margin;
    int width = frame.right - frame.left + 2 * Margin, height = frame.bottom - frame.top + 2 * Margin;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as BMP files are
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::vector<BYTE> pixels(((width * 3 + 3) & ~3) * height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    bool ok = BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    SelectObject(memory, old);
    ok = ok && GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO *>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    ok = ok && WriteBitmap(file, header, pixels);
    if (!ok)
        Fail("cannot save a picture of the window into " + Quoted(file) + ": error " + std::to_string(GetLastError()));
    return ok;
}
