// HKEY_CLASSES_ROOT where it merges the user's classes over the machine's:
// a key of the user's hides the machine's, so every class row also runs on
// each half, and the check looks at both.
#include "tests/host/program_run.h"
#include "cleanup/cleanup.h"

#include <cctype>

using namespace standin;

namespace {

const char *const UserClasses = "Software\\Classes";
const char *const MachineClasses = "SOFTWARE\\Classes";
const char *const Clsid = "CLSID\\{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D56}";

std::string In(const char *half, const std::string &path) { return std::string(half) + "\\" + path; }

struct MergedCase {
    const char *name;
    std::function<void()> arrange;
    std::function<void()> expect;
    std::vector<std::string> left;
};

const MergedCase MergedCases[] = {
    {"a user key hides the machine's value",
     [] { SetValue(HKEY_CURRENT_USER, In(UserClasses, ".DOC"), "Own", "user"); },
     [] {
         EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, In(MachineClasses, ".DOC"), "Mokta32Rename"));
         EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, In(UserClasses, ".DOC"), "Own"));
     },
     {}},
    {"a user key hides the machine's key",
     [] { SetValue(HKEY_CURRENT_USER, In(UserClasses, "Nuvex.Nuvex\\CLSID"), "", "user"); },
     [] {
         EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, In(UserClasses, "Nuvex.Nuvex")));
         EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, In(MachineClasses, "Nuvex.Nuvex")));
     },
     {}},
    {"the user's value beside the machine's",
     [] { SetValue(HKEY_CURRENT_USER, In(UserClasses, ".EXE"), "Mokta32Rename", "user"); },
     [] {
         EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, In(UserClasses, ".EXE"), "Mokta32Rename"));
         EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, In(MachineClasses, ".EXE"), "Mokta32Rename"));
     },
     {}},
    {"a link planted in the user's half",
     [] {
         SetValue(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\Precious\\") + Clsid + "\\Inside", "Data", "precious");
         CreateLink(HKEY_CURRENT_USER, In(UserClasses, "CLSID"), "HKLM\\SOFTWARE\\Precious\\CLSID");
     },
     [] {
         EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\Precious\\") + Clsid + "\\Inside"));
         EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, In(MachineClasses, Clsid)));
     },
     // Through HKCR, and in the user's half: the same link, the same five rows.
     {"HKEY_CLASSES_ROOT\\CLSID\\{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D56}",
      "HKEY_CLASSES_ROOT\\CLSID\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}",
      "HKEY_CLASSES_ROOT\\CLSID\\{7AC61F39-B297-11D1-A45E-00A0C93B61D2}",
      "HKEY_CLASSES_ROOT\\CLSID\\{c2e4b76d-e8a1-11D1-9b07-00805f3ae9c8}",
      "HKEY_CLASSES_ROOT\\CLSID\\{c2e4b76e-e8a1-11D1-9b07-00805f3ae9c8}",
      "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D56}",
      "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}",
      "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{7AC61F39-B297-11D1-A45E-00A0C93B61D2}",
      "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{c2e4b76d-e8a1-11D1-9b07-00805f3ae9c8}",
      "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{c2e4b76e-e8a1-11D1-9b07-00805f3ae9c8}"}},
};

class MergedClasses : public ProgramRun, public ::testing::WithParamInterface<MergedCase> {};

TEST_P(MergedClasses, BothHalvesAreCleanedAndChecked)
{
    UsePerUserClasses();
    SeedFootprint();
    GetParam().arrange();
    auto before = DumpRegistry();

    RemoveProductFootprint();

    GetParam().expect();
    EXPECT_EQ(RowsLeft(), GetParam().left);
    EXPECT_TRUE(AllNeighboursLeft());
    EXPECT_TRUE(machine.openKeys.empty());
    EXPECT_EQ(machine.openTokens, 0);
}

INSTANTIATE_TEST_SUITE_P(WithPerUserClasses, MergedClasses, ::testing::ValuesIn(MergedCases), ByCaseName());

// Without per-user classes (the Windows 95 family, NT 4.0) nothing but the
// design's rows runs: no token, no second pass.
TEST_F(ProgramRun, WithoutPerUserClassesOnlyThePlanRuns)
{
    SeedFootprint();

    RemoveProductFootprint();

    EXPECT_TRUE(machine.securityCalls.empty());
    EXPECT_FALSE(AnyPlannedEntryLeft());
    for (const RegistryCall &call : machine.registryCalls)
        EXPECT_NE(call.name, MachineClasses);
}

}  // namespace
