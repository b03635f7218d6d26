#include "manifest_check.h"
#include "report.h"
#include <windows.h>

namespace {

const char Request[] = R"(requestedExecutionLevel level="highestAvailable" uiAccess="false")";

// Inside <!-- ... --> when the last comment opened before `at` is not closed before it.
bool InComment(const std::string &text, size_t at)
{
    size_t opened = text.rfind("<!--", at);
    return opened != std::string::npos && text.find("-->", opened) > at;
}

void CheckText(const std::string &manifest)
{
    size_t at = manifest.find(Request);
    while (at != std::string::npos && InComment(manifest, at))
        at = manifest.find(Request, at + 1);
    if (at == std::string::npos)
        Fail(std::string("the manifest does not ask for ") + Request + ":\n" + manifest);
}

}  // namespace

void CheckManifest(const std::wstring &program)
{
    HMODULE image = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!image) {
        Fail("cannot load " + Quoted(program) + " as data: error " + std::to_string(GetLastError()));
        return;
    }
    HRSRC resource = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST);
    HGLOBAL loaded = resource ? LoadResource(image, resource) : nullptr;
    const char *bytes = loaded ? static_cast<const char *>(LockResource(loaded)) : nullptr;
    if (bytes)
        CheckText(std::string(bytes, SizeofResource(image, resource)));
    else
        Fail("no manifest resource 1 in " + Quoted(program) + ": error " + std::to_string(GetLastError()));
    FreeLibrary(image);
}
