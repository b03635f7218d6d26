// Who may run the cleanup: platform family and Administrators membership.
#include "tests/host/program_run.h"
#include "flow/texts.h"
#include "gate/gate.h"

using namespace standin;

namespace {

const std::vector<BYTE> Administrators = MakeSid(5, {32, 544});
const std::vector<BYTE> PowerUsers = MakeSid(5, {32, 547});
const std::vector<BYTE> Users = MakeSid(5, {32, 545});
const DWORD Enabled = SE_GROUP_MANDATORY | SE_GROUP_ENABLED;

// A domain account's many groups: far beyond 2048 bytes once listed.
std::vector<TokenGroup> ManyDomainGroups()
{
    std::vector<TokenGroup> groups;
    for (DWORD rid = 1000; rid < 1300; ++rid)
        groups.push_back({MakeSid(5, {21, 1111, 2222, 3333, rid}), Enabled});
    return groups;
}

struct GateCase {
    const char *name;
    DWORD platformId;
    bool versionFails;
    std::vector<TokenGroup> groups;
    bool tokenOpenFails, tokenQueryFails;
    bool mayProceed;
};

std::vector<GateCase> GateCases()
{
    auto withAdministrators = [](std::vector<TokenGroup> groups) {
        groups.push_back({Administrators, Enabled});
        return groups;
    };
    return {
        {"95 family, plain user", 1, false, {{Users, Enabled}}, false, false, true},
        {"95 family, token would fail", 1, false, {}, true, true, true},
        {"NT, administrator", 2, false, {{Users, Enabled}, {Administrators, Enabled}}, false, false, true},
        {"NT, power user only", 2, false, {{Users, Enabled}, {PowerUsers, Enabled}}, false, false, false},
        {"NT, filtered token: Administrators deny-only", 2, false,
         {{Users, Enabled}, {Administrators, SE_GROUP_USE_FOR_DENY_ONLY}}, false, false, true},
        {"NT, administrator with a very long group list", 2, false, withAdministrators(ManyDomainGroups()), false,
         false, true},
        {"NT, very long group list without Administrators", 2, false, ManyDomainGroups(), false, false, false},
        {"NT, token cannot be opened", 2, false, {{Administrators, Enabled}}, true, false, false},
        {"NT, groups cannot be read", 2, false, {{Administrators, Enabled}}, false, true, false},
        {"Win32s: the token decides, administrator", 0, false, {{Administrators, Enabled}}, false, false, true},
        {"Win32s: the token decides, plain user", 0, false, {{Users, Enabled}}, false, false, false},
        {"version unknown: the token decides, administrator", 1, true, {{Administrators, Enabled}}, false, false,
         true},
        {"version unknown: the token decides, plain user", 1, true, {{Users, Enabled}}, false, false, false},
    };
}

class Gate : public ProgramRun {};

class GateDecision : public ProgramRun, public ::testing::WithParamInterface<GateCase> {};

TEST_P(GateDecision, ByFamilyThenByListedMembership)
{
    const GateCase &c = GetParam();
    machine.platformId = c.platformId;
    machine.versionFails = c.versionFails;
    machine.tokenGroups = c.groups;
    machine.tokenOpenFails = c.tokenOpenFails;
    machine.tokenQueryFails = c.tokenQueryFails;

    DetectPlatform();
    EXPECT_EQ(MayProceed() != FALSE, c.mayProceed);

    EXPECT_EQ(IsWin95Family != FALSE, c.platformId == 1 && !c.versionFails);
    EXPECT_EQ(ModuleInstance, ProgramModule);
    if (IsWin95Family) {
        EXPECT_TRUE(machine.securityCalls.empty());
    }
    EXPECT_EQ(machine.liveSids, 0);
    EXPECT_EQ(machine.openTokens, 0);
    EXPECT_EQ(machine.liveLocalBlocks, 0);
}

INSTANTIATE_TEST_SUITE_P(Gate, GateDecision, ::testing::ValuesIn(GateCases()), ByCaseName());

TEST_F(Gate, ARefusedUserSeesOnlyTheRefusalAndNothingIsTouched)
{
    SeedFootprint();
    machine.tokenGroups = {{Users, Enabled}, {PowerUsers, Enabled}};
    auto before = DumpRegistry();

    EXPECT_EQ(RunWexor(), 1);

    ASSERT_EQ(machine.messageBoxes.size(), 1u);
    ExpectBox(machine.messageBoxes[0], Expected(TextNeedAdmin, Language::English), 0x10);
    EXPECT_TRUE(machine.registryCalls.empty());
    EXPECT_EQ(DumpRegistry(), before);
}

TEST_F(Gate, OnThe95FamilyAnyUserReachesTheQuestion)
{
    SeedFootprint();
    UseFamily(Family::Windows95);
    machine.tokenGroups = {{Users, Enabled}};

    EXPECT_EQ(RunWexor(), 0);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    EXPECT_EQ(machine.messageBoxes[0].type, 0x24u);
    EXPECT_FALSE(AnyPlannedEntryLeft());
    EXPECT_TRUE(machine.securityCalls.empty());
}

}  // namespace
