// Registries prepared by someone who can write below HKCU: names that the
// ANSI calls cannot give back, links on the way to a row's key, a kernel
// that reports another family. Nothing outside the plan may change, every
// walk ends, and what stayed is reported.
#include "tests/host/program_run.h"
#include "cleanup/cleanup.h"

#include <stdexcept>

using namespace standin;

namespace {

// The kernel, and the family GetVersionExA reports on it.
enum class Kernel { NT, Windows95, NtReportedAs95 };

const char *const Mokta = "SOFTWARE\\KELBO SOFTWARE\\MOKTA32";
const char *const Precious = "SOFTWARE\\Precious";

// A NUL is an ordinary character to the native API.
const std::string LeadingNul("\0Hidden", 7);

struct HostileCase {
    const char *name;
    UINT codePage;
    bool needsLinks;  // the Windows 95 family has none
    std::function<void()> arrange;
    std::vector<std::string> goneKeys;  // HKCU paths the walk must still remove
    std::vector<std::string> leftOnNt;  // rows reported; the 95 family's RegDeleteKeyA takes subkeys along
    std::vector<std::string> leftOn95;
};

const std::string MoktaRow = "HKEY_CURRENT_USER\\SOFTWARE\\KELBO SOFTWARE\\MOKTA32";
const std::string RunRow = "HKEY_CURRENT_USER\\" TEST_RUN_KEY;

std::string Below(const std::string &name) { return std::string(Mokta) + "\\" + name; }

// A link L the walk cannot remove, and a sibling whose name comes back as
// "L\A": opened, it would pass through the link.
std::function<void()> BestFitTrap(const char *sibling)
{
    return [sibling] {
        CreateLink(HKEY_CURRENT_USER, Below("L"), "HKLM\\SOFTWARE\\Precious");
        FindKey(HKEY_CURRENT_USER, Below("L"))->grantedAccess = KEY_READ;
        CreateKey(HKEY_CURRENT_USER, Below(sibling));
    };
}

const HostileCase HostileCases[] = {
    {"a best-fit backslash beside a link that stays", 1252, true, BestFitTrap("L\xEF\xBC\xBC" "A"),
     {Below("Sub A"), Below("Sub B")}, {MoktaRow}, {}},
    {"a division-slash backslash, Czech code page", 1250, true, BestFitTrap("L\xE2\x88\x96" "A"),
     {Below("Sub A"), Below("Sub B")}, {MoktaRow}, {}},
    {"a yen sign, which code page 932 gives as a backslash", 932, true, BestFitTrap("L\xC2\xA5" "A"),
     {Below("Sub A"), Below("Sub B")}, {MoktaRow}, {}},
    {"a name starting with NUL, which comes back empty", 1252, false,
     [] { CreateKey(HKEY_CURRENT_USER, Below("Sub A\\" + LeadingNul)); },
     {Below("Sub A\\Deeper"), Below("Sub B")}, {MoktaRow}, {}},
    {"a trail byte 0x5C is no backslash", 932, false,
     // 表 is 0x95 0x5C in Shift-JIS: a proper single name, removed like any other.
     [] { CreateKey(HKEY_CURRENT_USER, Below("\xE8\xA1\xA8\\Inner")); },
     {Below("\xE8\xA1\xA8"), Below("Sub A")}, {}, {}},
    {"a name too long for the buffer, and a sibling after it", 932, false,
     [] {
         std::string longName;
         for (int i = 0; i < 255; ++i)
             longName += "\xE8\xA1\xA8";
         CreateKey(HKEY_CURRENT_USER, Below(longName));
         CreateKey(HKEY_CURRENT_USER, Below("\xEF\xBC\xBA"));  // fullwidth Z sorts after it
     },
     {Below("\xEF\xBC\xBA"), Below("Sub B")}, {MoktaRow}, {}},
    {"a name of 260 bytes, which just fits the buffer", 932, false,
     [] {
         std::string name;
         for (int i = 0; i < 130; ++i)
             name += "\xE8\xA1\xA8";
         CreateKey(HKEY_CURRENT_USER, Below(name + "\\Inner"));
     },
     {Below("Sub A"), Below("Sub B")}, {}, {}},
    {"a link as a key row's parent", 1252, true,
     [] {
         RemoveTree(HKEY_CURRENT_USER, "SOFTWARE\\KELBO SOFTWARE");
         SetValue(HKEY_LOCAL_MACHINE, std::string(Precious) + "\\MOKTA32\\Inside", "Data", "precious");
         CreateLink(HKEY_CURRENT_USER, "SOFTWARE\\KELBO SOFTWARE", "HKLM\\SOFTWARE\\Precious");
     },
     {}, {MoktaRow}, {}},
    {"a link as a value row's key", 1252, true,
     [] {
         RemoveTree(HKEY_CURRENT_USER, TEST_RUN_KEY);
         SetValue(HKEY_LOCAL_MACHINE, std::string(Precious) + "\\Run", "Mokta32", "precious");
         SetValue(HKEY_LOCAL_MACHINE, std::string(Precious) + "\\Run", "Tqn32", "precious");
         CreateLink(HKEY_CURRENT_USER, TEST_RUN_KEY, "HKLM\\SOFTWARE\\Precious\\Run");
     },
     {}, {RunRow + " \"Mokta32\"", RunRow + " \"Tqn32\""}, {}},
    {"a link above a value row's key", 1252, true,
     [] {
         RemoveTree(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows");
         SetValue(HKEY_LOCAL_MACHINE, std::string(Precious) + "\\CurrentVersion\\Run", "Mokta32", "precious");
         CreateLink(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows", "HKLM\\SOFTWARE\\Precious");
     },
     {}, {RunRow + " \"Mokta32\"", RunRow + " \"Tqn32\""}, {}},
    {"a link inside a planned tree", 1252, true,
     [] { CreateLink(HKEY_CURRENT_USER, Below("Sub A\\Evil"), "HKLM\\SOFTWARE\\Precious"); },
     {Below("Sub A"), Below("Sub B")}, {}, {}},
};

struct HostileRun {
    HostileCase hostile;
    Kernel kernel;
};

std::vector<HostileRun> HostileRuns()
{
    std::vector<HostileRun> runs;
    for (const HostileCase &hostile : HostileCases)
        for (Kernel kernel : {Kernel::NT, Kernel::Windows95, Kernel::NtReportedAs95})
            if (!(hostile.needsLinks && kernel == Kernel::Windows95))
                runs.push_back({hostile, kernel});
    return runs;
}

void PrintTo(const HostileRun &run, std::ostream *out)
{
    *out << run.hostile.name;
}

// Below a root, every key is opened by the name of one subkey: never an
// empty one (the key itself again), never one holding a backslash.
bool OpenedOnlySingleNames()
{
    for (const RegistryCall &call : machine.registryCalls)
        if (call.function == "RegOpenKeyExA" && call.key.size() > 4 &&
            (call.name.empty() || call.name.find('\\') != std::string::npos))
            return false;
    return true;
}

std::string RunName(const ::testing::TestParamInfo<HostileRun> &info)
{
    std::string kernel = info.param.kernel == Kernel::NT ? "NT_" : info.param.kernel == Kernel::Windows95 ? "95_" : "NTas95_";
    return kernel + CaseName(info.param.hostile.name);
}

// Beyond any honest walk of these registries: a walk that gets here does not end.
const size_t CallBound = 20000;

class HostileRegistry : public ProgramRun, public ::testing::WithParamInterface<HostileRun> {};

TEST_P(HostileRegistry, ChangesNothingOutsideThePlanEndsAndReportsWhatStayed)
{
    const HostileCase &hostile = GetParam().hostile;
    Kernel kernel = GetParam().kernel;
    machine.family = kernel == Kernel::Windows95 ? Family::Windows95 : Family::NT;
    machine.platformId = kernel == Kernel::NT ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS;
    machine.ansiCodePage = hostile.codePage;
    SeedFootprint();
    SetValue(HKEY_LOCAL_MACHINE, std::string(Precious) + "\\A", "Data", "precious");
    hostile.arrange();
    auto before = DumpRegistry();
    machine.afterRegistryCall = [](const RegistryCall &) {
        if (machine.registryCalls.size() > CallBound)
            throw std::runtime_error("the walk does not end");
    };

    RemoveProductFootprint();

    ExpectOnlyPlannedLinesGone(before, DumpRegistry(), false);
    for (const std::string &key : hostile.goneKeys)
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key)) << key;
    EXPECT_TRUE(OpenedOnlySingleNames());
    EXPECT_EQ(RowsLeft(), kernel == Kernel::Windows95 ? hostile.leftOn95 : hostile.leftOnNt);
    EXPECT_TRUE(machine.openKeys.empty());
}

INSTANTIATE_TEST_SUITE_P(AllKernels, HostileRegistry, ::testing::ValuesIn(HostileRuns()), RunName);

}  // namespace
