// The process token and SIDs, in the platform's binary layouts.
#include "machine.h"

#include <cstring>

namespace standin {

namespace {
const HANDLE CurrentProcess = reinterpret_cast<HANDLE>(-1);
// Each OpenProcessToken gives a handle of its own, from here on.
const UINT_PTR FirstTokenHandle = 0x7000;
}  // namespace

std::vector<BYTE> MakeSid(BYTE authority, std::vector<DWORD> subAuthorities)
{
    std::vector<BYTE> sid = {1, static_cast<BYTE>(subAuthorities.size()), 0, 0, 0, 0, 0, authority};
    for (DWORD sub : subAuthorities)
        for (int shift = 0; shift < 32; shift += 8)
            sid.push_back(static_cast<BYTE>(sub >> shift));
    return sid;
}

bool IsOpenProcessToken(HANDLE token)
{
    return machine.tokenHandles.count(reinterpret_cast<UINT_PTR>(token)) > 0;
}

// Whether the token handle is open with every bit of `access`.
bool TokenGrants(HANDLE token, DWORD access)
{
    auto open = machine.tokenHandles.find(reinterpret_cast<UINT_PTR>(token));
    return open != machine.tokenHandles.end() && (open->second & access) == access;
}

}  // namespace standin

using namespace standin;

static size_t SidLength(PSID sid)
{
    return 8 + 4 * static_cast<const BYTE *>(sid)[1];
}

HANDLE GetCurrentProcess()
{
    machine.securityCalls.push_back("GetCurrentProcess");
    return CurrentProcess;
}

BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE *token)
{
    machine.securityCalls.push_back("OpenProcessToken");
    // The process's own token grants the process every right on it.
    if (machine.tokenOpenFails || process != CurrentProcess || (access & ~TOKEN_ALL_ACCESS))
        return FALSE;
    UINT_PTR handle = FirstTokenHandle;
    while (machine.tokenHandles.count(handle))
        handle += 4;
    machine.tokenHandles[handle] = access;
    ++machine.openTokens;
    *token = reinterpret_cast<HANDLE>(handle);
    return TRUE;
}

// TOKEN_GROUPS: the count, the entries, then the SIDs they point to.
BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS infoClass, void *info, DWORD infoSize,
                         DWORD *returnSize)
{
    machine.securityCalls.push_back("GetTokenInformation");
    // TokenGroups, like every class but TokenSource, needs TOKEN_QUERY.
    if (machine.tokenQueryFails || !TokenGrants(token, TOKEN_QUERY) || infoClass != TokenGroups)
        return FALSE;
    size_t entries = offsetof(TOKEN_GROUPS, Groups) + machine.tokenGroups.size() * sizeof(SID_AND_ATTRIBUTES);
    size_t needed = entries;
    for (const TokenGroup &group : machine.tokenGroups)
        needed += group.sid.size();
    *returnSize = static_cast<DWORD>(needed);
    if (infoSize < needed)
        return FALSE;
    auto *groups = static_cast<TOKEN_GROUPS *>(info);
    BYTE *sids = static_cast<BYTE *>(info) + entries;
    groups->GroupCount = static_cast<DWORD>(machine.tokenGroups.size());
    for (size_t i = 0; i < machine.tokenGroups.size(); ++i) {
        const TokenGroup &group = machine.tokenGroups[i];
        std::memcpy(sids, group.sid.data(), group.sid.size());
        groups->Groups[i] = {sids, group.attributes};
        sids += group.sid.size();
    }
    return TRUE;
}

BOOL AllocateAndInitializeSid(SID_IDENTIFIER_AUTHORITY *authority, BYTE count, DWORD sub0, DWORD sub1,
                              DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7,
                              PSID *sid)
{
    machine.securityCalls.push_back("AllocateAndInitializeSid");
    if (count > 8)
        return FALSE;
    const DWORD subs[8] = {sub0, sub1, sub2, sub3, sub4, sub5, sub6, sub7};
    auto *made = new BYTE[8 + 4 * count]{1, count};
    std::memcpy(made + 2, authority->Value, 6);
    std::memcpy(made + 8, subs, 4 * count);
    ++machine.liveSids;
    *sid = made;
    return TRUE;
}

BOOL EqualSid(PSID a, PSID b)
{
    machine.securityCalls.push_back("EqualSid");
    return SidLength(a) == SidLength(b) && std::memcmp(a, b, SidLength(a)) == 0;
}

void *FreeSid(PSID sid)
{
    machine.securityCalls.push_back("FreeSid");
    --machine.liveSids;
    delete[] static_cast<BYTE *>(sid);
    return nullptr;
}

BOOL CloseHandle(HANDLE handle)
{
    machine.securityCalls.push_back("CloseHandle");
    if (!machine.tokenHandles.erase(reinterpret_cast<UINT_PTR>(handle)))
        return FALSE;
    --machine.openTokens;
    return TRUE;
}
