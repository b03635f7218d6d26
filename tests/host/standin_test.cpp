// The stand-in holds the program to Windows' own rules: names as NT compares
// them, handles of deleted keys, token access, and no shape that no registry holds.
#include "tests/host/program_run.h"

#include <stdexcept>

using namespace standin;

namespace {

class StandIn : public ProgramRun {};

// Two spellings that NT takes for one name, or for two.
struct NameCase {
    const char *name;
    const char *made, *asked;  // UTF-8
    bool same;
};

const NameCase Names[] = {
    {"Latin-1", "Caf\xC3\xA9", "CAF\xC3\x89", true},
    {"Latin Extended-A", "\xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD", "\xC5\xBDLU\xC5\xA4OU\xC4\x8CK\xC3\x9D", true},
    {"Greek, final sigma", "\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82", "\xCE\x9B\xCE\x8C\xCE\x93\xCE\x9F\xCE\xA3", true},
    {"Cyrillic", "\xD0\xB6\xD1\x83\xD0\xBA", "\xD0\x96\xD0\xA3\xD0\x9A", true},
    {"fullwidth Latin", "\xEF\xBD\x81", "\xEF\xBC\xA1", true},
    {"fullwidth is not ASCII", "\xEF\xBD\x81", "A", false},
    {"sharp s has no upper case of its own", "Stra\xC3\x9F" "e", "STRASSE", false},
};

class NameFolding : public StandIn, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameFolding, IsNtsUpperCase)
{
    CreateKey(HKEY_CURRENT_USER, std::string("Scratch\\") + GetParam().made);

    EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, std::string("Scratch\\") + GetParam().asked), GetParam().same);
    EXPECT_EQ(CompareNames(GetParam().made, GetParam().asked) == 0, GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(StandIn, NameFolding, ::testing::ValuesIn(Names), ByCaseName());

TEST_F(StandIn, NtListsSubkeysByTheirUpperCase)
{
    for (const char *name : {"b", "\xC3\xA9", "_", "Z", "A", "\xD0\xB0"})
        CreateKey(HKEY_CURRENT_USER, std::string("Scratch\\") + name);

    std::vector<std::string> listed;
    for (const auto &subkey : FindKey(HKEY_CURRENT_USER, "Scratch")->subkeys)
        listed.push_back(subkey->name);

    // Upper-cased: A, B, Z, _ (0x5F after 0x5A), É (0xC9), А (0x0410).
    EXPECT_EQ(listed, (std::vector<std::string>{"A", "b", "Z", "_", "\xC3\xA9", "\xD0\xB0"}));
}

TEST_F(StandIn, TheAnsiNameOfAKeyFindsItInAnyCase)
{
    CreateKey(HKEY_CURRENT_USER, "Scratch\\Caf\xC3\xA9");
    HKEY key;

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SCRATCH\\CAF\xC9", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(StandIn, OnNtADeletedKeysHandlesServeOnlyToBeClosed)
{
    CreateKey(HKEY_CURRENT_USER, "Scratch\\Gone");
    HKEY first, second;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Scratch\\Gone", 0, KEY_ALL_ACCESS, &first), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Scratch\\Gone", 0, KEY_ALL_ACCESS, &second), ERROR_SUCCESS);

    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Scratch\\Gone"), ERROR_SUCCESS);

    char name[16];
    EXPECT_EQ(RegEnumKeyA(first, 0, name, sizeof name), ERROR_KEY_DELETED);
    EXPECT_EQ(RegQueryValueExA(second, "", nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(first), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(second), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(second), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Scratch\\Gone"));
}

// Undocumented on the 95 family: the stand-in stops the test rather than guess.
TEST_F(StandIn, OnThe95FamilyDeletingAnOpenKeyIsRefusedLoudly)
{
    UseFamily(Family::Windows95);
    CreateKey(HKEY_CURRENT_USER, "Scratch\\Open\\Below");
    HKEY below;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Scratch\\Open\\Below", 0, KEY_ALL_ACCESS, &below), ERROR_SUCCESS);

    EXPECT_THROW(RegDeleteKeyA(HKEY_CURRENT_USER, "Scratch\\Open"), std::logic_error);

    EXPECT_EQ(RegCloseKey(below), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Scratch\\Open"), ERROR_SUCCESS);
}

struct ImpossibleCase {
    const char *name;
    Family family;
    std::function<void()> build;
};

const ImpossibleCase Impossible[] = {
    {"an empty name", Family::NT, [] { CreateKey(HKEY_CURRENT_USER, "Scratch\\\\Empty"); }},
    {"a name of 256 characters", Family::NT, [] { CreateKey(HKEY_CURRENT_USER, std::string(256, 'N')); }},
    {"a link on the 95 family", Family::Windows95, [] { CreateLink(HKEY_CURRENT_USER, "Link", "HKLM\\SOFTWARE"); }},
    {"a key below a dangling link", Family::NT,
     [] {
         CreateLink(HKEY_CURRENT_USER, "Link", "HKLM\\Gone");
         CreateKey(HKEY_CURRENT_USER, "Link\\Below");
     }},
    {"a link over a key", Family::NT,
     [] {
         CreateKey(HKEY_CURRENT_USER, "Key");
         CreateLink(HKEY_CURRENT_USER, "Key", "HKLM\\SOFTWARE");
     }},
    {"513 levels on NT", Family::NT,
     [] {
         std::string path = "L1";
         for (int level = 2; level <= MaxTreeDepth + 1; ++level)
             path += "\\L" + std::to_string(level);
         CreateKey(HKEY_CURRENT_USER, path);
     }},
};

class ImpossibleShape : public StandIn, public ::testing::WithParamInterface<ImpossibleCase> {};

TEST_P(ImpossibleShape, CannotBeBuilt)
{
    UseFamily(GetParam().family);

    EXPECT_THROW(GetParam().build(), std::logic_error);
}

INSTANTIATE_TEST_SUITE_P(StandIn, ImpossibleShape, ::testing::ValuesIn(Impossible), ByCaseName());

TEST_F(StandIn, TheGroupListNeedsATokenOpenedForQuery)
{
    HANDLE token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_READ & ~TOKEN_QUERY, &token));
    DWORD size = 0;
    char groups[2048];

    EXPECT_FALSE(GetTokenInformation(token, TokenGroups, groups, sizeof groups, &size));

    EXPECT_TRUE(CloseHandle(token));
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    EXPECT_TRUE(GetTokenInformation(token, TokenGroups, groups, sizeof groups, &size));
    EXPECT_TRUE(CloseHandle(token));
    EXPECT_EQ(machine.openTokens, 0);
}

}  // namespace
