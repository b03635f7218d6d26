// The program's resources, read from the same compiled .res that is linked
// into WEXOR.exe, and LoadStringA over its string table.
#include "machine.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace standin {

namespace {

const WORD RT_STRING = 6;

DWORD ReadDword(const std::vector<BYTE> &bytes, size_t at)
{
    DWORD value;
    std::memcpy(&value, &bytes.at(at + 3) - 3, 4);
    return value;
}

WORD ReadWord(const std::vector<BYTE> &bytes, size_t at)
{
    WORD value;
    std::memcpy(&value, &bytes.at(at + 1) - 1, 2);
    return value;
}

// Only ordinal types and names are used by the program.
WORD ReadOrdinal(const std::vector<BYTE> &bytes, size_t &at)
{
    if (ReadWord(bytes, at) != 0xFFFF)
        throw std::runtime_error("named resource in WEXOR.res");
    at += 4;
    return ReadWord(bytes, at - 2);
}

// A .res file: a sequence of headers, each followed by its data, aligned to 4 bytes.
std::vector<Resource> ParseResFile(const std::vector<BYTE> &bytes)
{
    std::vector<Resource> resources;
    size_t at = 0;
    while (at + 8 <= bytes.size()) {
        DWORD dataSize = ReadDword(bytes, at), headerSize = ReadDword(bytes, at + 4);
        size_t field = at + 8;
        Resource resource;
        resource.type = ReadOrdinal(bytes, field);
        resource.name = ReadOrdinal(bytes, field);
        resource.language = ReadWord(bytes, field + 4 + 2);
        size_t data = at + headerSize;
        resource.data.assign(bytes.begin() + data, bytes.begin() + data + dataSize);
        if (resource.type != 0)  // the empty leading entry
            resources.push_back(resource);
        at = (data + dataSize + 3) & ~size_t(3);
    }
    return resources;
}

const std::vector<Resource> &CompiledResources()
{
    static const std::vector<Resource> resources = [] {
        std::ifstream file(WEXOR_RES_PATH, std::ios::binary);
        if (!file)
            throw std::runtime_error("cannot read " WEXOR_RES_PATH);
        return ParseResFile(std::vector<BYTE>(std::istreambuf_iterator<char>(file), {}));
    }();
    return resources;
}

// A string block holds 16 counted UTF-16 strings: block n has ids (n-1)*16 ... (n-1)*16+15.
Resource *StringBlock(UINT id)
{
    for (Resource &resource : machine.resources)
        if (resource.type == RT_STRING && resource.name == id / 16 + 1)
            return &resource;
    return nullptr;
}

std::u16string ReadString(const Resource &block, UINT id)
{
    size_t at = 0;
    for (UINT slot = 0; slot < id % 16; ++slot)
        at += 2 + 2 * ReadWord(block.data, at);
    std::u16string text(ReadWord(block.data, at), u'\0');
    std::memcpy(text.data(), block.data.data() + at + 2, text.size() * 2);
    return text;
}

void WriteString(Resource &block, UINT id, const std::u16string &text)
{
    std::u16string strings[16];
    for (UINT slot = 0; slot < 16; ++slot)
        strings[slot] = ReadString(block, id - id % 16 + slot);
    strings[id % 16] = text;
    block.data.clear();
    for (const std::u16string &string : strings) {
        WORD length = static_cast<WORD>(string.size());
        block.data.insert(block.data.end(), {BYTE(length & 0xFF), BYTE(length >> 8)});
        for (char16_t c : string)
            block.data.insert(block.data.end(), {BYTE(c & 0xFF), BYTE(c >> 8)});
    }
}

}  // namespace

const Resource *FindResource(WORD type, WORD name)
{
    for (const Resource &resource : machine.resources)
        if (resource.type == type && resource.name == name)
            return &resource;
    return nullptr;
}

void LoadProgramResources()
{
    machine.resources = CompiledResources();
}

void RemoveString(UINT id)
{
    ReplaceString(id, u"");
}

void ReplaceString(UINT id, const std::u16string &text)
{
    Resource *block = StringBlock(id);
    if (!block)
        throw std::runtime_error("no string block for id " + std::to_string(id));
    WriteString(*block, id, text);
}

}  // namespace standin

using namespace standin;

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferSize)
{
    // A null instance stands for the executable that started the process.
    if (instance && instance != ProgramModule)
        return 0;
    Resource *block = StringBlock(id);
    std::string text = block ? ToAnsi(ReadString(*block, id)) : "";
    if (bufferSize <= 0)
        return 0;
    size_t copied = std::min(text.size(), size_t(bufferSize - 1));
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = 0;
    return static_cast<int>(copied);
}
