// A script compiled by the build (sample/sample.rc) reads back through the platform's loaders
// exactly as written.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "SampleResources.h"
#include "tests/tools/rc/sample/sample.h"

namespace {

std::vector<BYTE> FileBytes(const char* name) {
    const auto path = std::filesystem::path(__FILE__).parent_path() / "sample" / name;
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<BYTE> Span(std::span<const BYTE> bytes) {
    return {bytes.begin(), bytes.end()};
}

class GeneratedModule : public ::testing::Test {
protected:
    const ResourceModule& m = SampleResources();
};

TEST_F(GeneratedModule, TextsSurviveTheirCxxLiterals) {
    const struct {
        UINT id;
        std::u16string_view text;
    } cases[] = {
        {IDS_QUOTES, u"say \"hi\", \\ and \"bye\"?"},
        {IDS_CONTROL,
         u"tab\there\u0001"
         u"2\n"},
        {IDS_UNICODE, u"caf\u00e9 \u20ac \U0001F600"},
        {IDS_TRAILING, u"blank "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(m.FindString(c.id), std::optional<std::u16string_view>(c.text)) << c.id;
}

TEST_F(GeneratedModule, DialogKeepsEveryField) {
    const DialogTemplate* d = m.FindDialog(IDD_SAMPLE);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->extended);
    EXPECT_EQ(d->style, 0x80C800C0u);
    EXPECT_EQ(d->exStyle, 0x80000000u);
    EXPECT_EQ(d->helpId, 9u);
    EXPECT_EQ(std::tie(d->x, d->y, d->cx, d->cy), std::make_tuple(1, 2, 137, 150));
    EXPECT_EQ(d->caption, u"Sample");
    EXPECT_EQ(d->fontName, u"Tahoma");
    EXPECT_EQ(d->pointSize, 8);
    EXPECT_EQ(d->fontWeight, 400);
    EXPECT_EQ(d->fontCharset, 1);
    ASSERT_EQ(d->items.size(), 4u);
    EXPECT_EQ(d->items[0].text, u"Name:");
    EXPECT_EQ(d->items[0].id, -1);
    EXPECT_EQ(d->items[1].controlClass, DialogControlClass::Edit);
    EXPECT_EQ(d->items[1].style, 0x50802000u);
    EXPECT_EQ(d->items[2].textResource, std::optional<WORD>(IDB_PICTURE));
    const DialogItemTemplate& spin = d->items[3];
    EXPECT_EQ(spin.controlClass, DialogControlClass::Custom);
    EXPECT_EQ(spin.className, u"msctls_updown32");
    EXPECT_EQ(spin.exStyle, 0x200u);
    EXPECT_EQ(spin.helpId, 42u);
    EXPECT_EQ(std::tie(spin.x, spin.y, spin.cx, spin.cy), std::make_tuple(60, 16, 10, 14));
}

TEST_F(GeneratedModule, MenuAndAcceleratorsKeepTheirShape) {
    const MenuTemplate* menu = m.FindMenu(IDR_MENU);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 1u);
    const auto& file = menu->items[0].items;
    ASSERT_EQ(file.size(), 3u);
    EXPECT_TRUE(file[0].checked);
    EXPECT_EQ(file[0].id, 100u);
    EXPECT_TRUE(file[1].separator);
    ASSERT_TRUE(file[2].popup);
    ASSERT_EQ(file[2].items.size(), 1u);
    EXPECT_TRUE(file[2].items[0].grayed);
    EXPECT_EQ(file[2].items[0].text, u"Less");

    const AcceleratorTable* keys = m.FindAccelerators(IDR_MENU);
    ASSERT_NE(keys, nullptr);
    ASSERT_EQ(keys->entries.size(), 2u);
    EXPECT_EQ(keys->entries[0].key, 3);
    EXPECT_FALSE(keys->entries[0].virtKey);
    EXPECT_EQ(keys->entries[1].key, 0x70);
    EXPECT_TRUE(keys->entries[1].virtKey && keys->entries[1].shift && keys->entries[1].noInvert);
}

TEST_F(GeneratedModule, FilesAreEmbeddedByteForByteAndEnumeratedInOrder) {
    ASSERT_NE(m.FindBitmap(IDB_PICTURE), nullptr);
    EXPECT_EQ(Span(m.FindBitmap(IDB_PICTURE)->bytes.Span()), FileBytes("picture.bmp"));
    ASSERT_NE(m.FindIcon(IDI_ICON), nullptr);
    EXPECT_EQ(Span(m.FindIcon(IDI_ICON)->bytes.Span()), FileBytes("icon.ico"));

    const HRSRC payload = FindResource(&m, "payload.bin", "PAYLOAD");
    ASSERT_NE(payload, nullptr);
    EXPECT_EQ(Span(LoadResourceBytes(&m, payload)), FileBytes("payload.bin"));
    const HRSRC empty = FindResource(&m, "SECOND.BIN", "payload");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SizeofResource(&m, empty), 0u);

    std::vector<std::string> names;
    for (const ResourceId& name : m.Names("Payload"))
        names.push_back(name.ToString());
    EXPECT_EQ(names, (std::vector<std::string>{"PAYLOAD.BIN", "SECOND.BIN", "5"}));
    EXPECT_EQ(m.Names("DATA").size(), 1u);
}

TEST_F(GeneratedModule, VersionRecordKeepsItsValues) {
    const VersionInfo* v = m.FindVersion(1);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->fileFlagsMask, 0x3Fu);
    EXPECT_EQ(v->Value(u"ProductName"), std::optional<std::u16string_view>(u"Sample \"Product\""));
    EXPECT_EQ(v->translations, (std::vector<std::pair<WORD, WORD>>{{0x409, 1200}}));
}

}  // namespace
