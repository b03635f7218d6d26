#include "gate/gate.h"

// S-1-5-32-544, built for each check and freed on every path.
static BOOL ListsAdministrators(const TOKEN_GROUPS *groups)
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS,
                                  0, 0, 0, 0, 0, 0, &administrators))
        return FALSE;
    // Listed is enough: a deny-only or disabled entry still shows membership.
    BOOL listed = FALSE;
    for (DWORD i = 0; i < groups->GroupCount && !listed; ++i)
        listed = EqualSid(groups->Groups[i].Sid, administrators) != FALSE;
    FreeSid(administrators);
    return listed;
}

BOOL IsAdministrator()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_READ, &token))
        return FALSE;
    // The whole group list, however long: domain accounts often carry many groups.
    BOOL member = FALSE;
    DWORD size = 0;
    GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
    if (TOKEN_GROUPS *groups = size ? static_cast<TOKEN_GROUPS *>(LocalAlloc(LMEM_FIXED, size)) : nullptr) {
        if (GetTokenInformation(token, TokenGroups, groups, size, &size))
            member = ListsAdministrators(groups);
        LocalFree(groups);
    }
    CloseHandle(token);
    return member;
}
