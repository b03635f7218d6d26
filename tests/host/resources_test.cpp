// The compiled resources that WEXOR.exe carries: string table and version.
#include "tests/host/program_run.h"

#include <cstring>

using namespace standin;

namespace {

const WORD RT_STRING = 6, RT_VERSION = 16;
const WORD Czech = 0x0405;

class Resources : public ProgramRun {};

TEST_F(Resources, TheStringTableHoldsItsTextsInBothLanguagesAllTaggedCzech)
{
    std::vector<UINT> ids;
    for (const Resource &resource : machine.resources) {
        if (resource.type != RT_STRING)
            continue;
        EXPECT_EQ(resource.language, Czech) << "block " << resource.name;
        size_t at = 0;
        for (UINT slot = 0; slot < 16; at += 2 + 2 * (resource.data[at] | resource.data[at + 1] << 8), ++slot)
            if (resource.data[at] | resource.data[at + 1])
                ids.push_back((resource.name - 1) * 16 + slot);
    }
    std::vector<UINT> expected;
    for (UINT offset : {0u, CzechTextOffset})
        for (const ExpectedText &text : ExpectedTexts)
            expected.push_back(text.id + offset);
    EXPECT_EQ(ids, expected);
}

// The string at `id` in the compiled table, as the block stores it (UTF-16, counted).
std::u16string CompiledString(UINT id)
{
    const Resource *block = FindResource(RT_STRING, static_cast<WORD>(id / 16 + 1));
    if (!block)
        return u"(no block)";
    const std::vector<BYTE> &data = block->data;
    size_t at = 0;
    for (UINT slot = 0; slot < id % 16; ++slot)
        at += 2 + 2 * (data.at(at) | data.at(at + 1) << 8);
    std::u16string text;
    size_t length = data.at(at) | data.at(at + 1) << 8;
    for (size_t i = 0; i < length; ++i)
        text += static_cast<char16_t>(data.at(at + 2 + 2 * i) | data.at(at + 3 + 2 * i) << 8);
    return text;
}

struct CompiledCase {
    std::string name;
    const ExpectedText *text;
    bool czech;
};

std::vector<CompiledCase> CompiledCases()
{
    std::vector<CompiledCase> cases;
    for (bool czech : {false, true})
        for (const ExpectedText &text : ExpectedTexts)
            cases.push_back({std::string(czech ? "Czech_" : "English_") + text.name, &text, czech});
    return cases;
}

class CompiledText : public ProgramRun, public ::testing::WithParamInterface<CompiledCase> {};

TEST_P(CompiledText, IsTheTextOfTheTable)
{
    const ExpectedText &text = *GetParam().text;
    UINT id = text.id + (GetParam().czech ? CzechTextOffset : 0);

    EXPECT_EQ(Utf8FromUtf16(CompiledString(id)), Utf8(GetParam().czech ? text.czech : text.english));
}

INSTANTIATE_TEST_SUITE_P(Resources, CompiledText, ::testing::ValuesIn(CompiledCases()), ByCaseName());

// One node of a version resource: key, value bytes and children.
struct VersionNode {
    std::u16string key;
    std::vector<BYTE> value;
    std::vector<VersionNode> children;
};

WORD Word(const std::vector<BYTE> &data, size_t at)
{
    return static_cast<WORD>(data.at(at) | data.at(at + 1) << 8);
}

VersionNode ParseVersionNode(const std::vector<BYTE> &data, size_t at)
{
    size_t end = at + Word(data, at), valueSize = Word(data, at + 2);
    bool text = Word(data, at + 4) == 1;
    VersionNode node;
    size_t field = at + 6;
    for (; Word(data, field); field += 2)
        node.key += static_cast<char16_t>(Word(data, field));
    field = (field + 2 + 3) & ~size_t(3);
    size_t valueBytes = text ? valueSize * 2 : valueSize;
    node.value.assign(data.begin() + field, data.begin() + field + valueBytes);
    for (field = (field + valueBytes + 3) & ~size_t(3); field < end; field = (field + Word(data, field) + 3) & ~size_t(3))
        node.children.push_back(ParseVersionNode(data, field));
    return node;
}

std::u16string Text(const std::vector<BYTE> &value)
{
    std::u16string text;
    for (size_t at = 0; at + 1 < value.size() && Word(value, at); at += 2)
        text += static_cast<char16_t>(Word(value, at));
    return text;
}

TEST_F(Resources, TheVersionResourceIdentifiesTheExecutable)
{
    const Resource *version = FindResource(RT_VERSION, 1);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->language, Czech);
    VersionNode root = ParseVersionNode(version->data, 0);
    EXPECT_EQ(root.key, u"VS_VERSION_INFO");

    DWORD fixed[13];
    ASSERT_EQ(root.value.size(), sizeof fixed);
    std::memcpy(fixed, root.value.data(), sizeof fixed);
    const DWORD expected[13] = {0xFEEF04BD, 0x00010000, 0x00020000, 674, 0x00020000, 0,
                                0x3F, 0x20 /* special build */, 0x00040004 /* NT, Windows32 */,
                                1 /* application */, 0, 0, 0};
    EXPECT_EQ(std::vector<DWORD>(fixed, fixed + 13), std::vector<DWORD>(expected, expected + 13));

    ASSERT_EQ(root.children.size(), 2u);
    ASSERT_EQ(root.children[0].key, u"StringFileInfo");
    ASSERT_EQ(root.children[0].children.size(), 1u);
    const VersionNode &block = root.children[0].children[0];
    EXPECT_EQ(block.key, u"000004b0");
    const std::pair<std::u16string, std::u16string> fixedStrings[] = {
        {u"CompanyName", u"KELBO Software"},   {u"FileDescription", u"Deletes the registry contens"},
        {u"FileVersion", u"2, 0, 0, 674"},     {u"InternalName", u"WEXOR"},
        {u"LegalCopyright", u""},              {u"OriginalFilename", u"WEXOR.exe"},
        {u"ProductName", u""},                 {u"ProductVersion", u"2, 0, 0, 0"},
        {u"SpecialBuild", u"Release"}};
    ASSERT_EQ(block.children.size(), std::size(fixedStrings));
    for (size_t i = 0; i < block.children.size(); ++i) {
        EXPECT_EQ(block.children[i].key, fixedStrings[i].first);
        if (fixedStrings[i].second.empty())
            EXPECT_FALSE(Text(block.children[i].value).empty());  // free text, but present
        else
            EXPECT_EQ(Text(block.children[i].value), fixedStrings[i].second);
    }

    ASSERT_EQ(root.children[1].key, u"VarFileInfo");
    ASSERT_EQ(root.children[1].children.size(), 1u);
    EXPECT_EQ(root.children[1].children[0].key, u"Translation");
    EXPECT_EQ(root.children[1].children[0].value, (std::vector<BYTE>{0x00, 0x00, 0xB0, 0x04}));
}

}  // namespace

namespace {

TEST_F(Resources, TheManifestAsksForTheHighestAvailableRightsAndNothingThatChangesTheLook)
{
    const Resource *manifest = FindResource(24 /* RT_MANIFEST */, 1);
    ASSERT_NE(manifest, nullptr);
    std::string xml(manifest->data.begin(), manifest->data.end());
    EXPECT_NE(xml.find("<requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"/>"), std::string::npos);
    EXPECT_NE(xml.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // Windows 10 and 11
    EXPECT_NE(xml.find("{e2011457-1546-43c5-a5fe-008deee3d3f0}"), std::string::npos);  // Vista
    // No common-controls dependency (new look) and no DPI awareness (new scaling).
    EXPECT_EQ(xml.find("dependency"), std::string::npos);
    EXPECT_EQ(xml.find("dpiAware"), std::string::npos);
}

}  // namespace
