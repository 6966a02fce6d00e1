// The Wendle Diver edition's resources: its own words and pictures, the reader's shared
// resources unchanged, and a form that is the reader's form without the number entry.

#include <gtest/gtest.h>

#include <algorithm>

#include "JokepadResources.h"
#include "WendleResources.h"
#include "platform/base/Utf.h"
#include "reader/res/resource.h"
#include "tests/reader/res/PictureChecks.h"

namespace {

class WendleResources : public ::testing::Test {
protected:
    void SetUp() override { AfxSetResourceModule(&::WendleResources()); }
    void TearDown() override { AfxSetResourceModule(nullptr); }

    static const ResourceModule& Wendle() { return ::WendleResources(); }
    static const ResourceModule& Reader() { return ::JokepadResources(); }
};

std::string Text(std::u16string_view text) {
    return platform::Utf16ToUtf8(text);
}

// Everything of a control that the form's code or the screen reads.
void ExpectSameControl(const DialogItemTemplate& a, const DialogItemTemplate& b) {
    SCOPED_TRACE(a.id);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.controlClass, b.controlClass);
    EXPECT_EQ(a.className, b.className);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.textResource, b.textResource);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.cx, b.cx);
    EXPECT_EQ(a.cy, b.cy);
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(a.exStyle, b.exStyle);
}

void ExpectSameDialog(const DialogTemplate& a, const DialogTemplate& b) {
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(a.exStyle, b.exStyle);
    EXPECT_EQ(a.cx, b.cx);
    EXPECT_EQ(a.cy, b.cy);
    EXPECT_EQ(a.fontName, b.fontName);
    EXPECT_EQ(a.pointSize, b.pointSize);
}

TEST_F(WendleResources, EditionWordsReplaceTheReaders) {
    EXPECT_EQ(AfxLoadStringResource(IDR_MAINFRAME),
              std::optional<std::u16string_view>(
                  u"Wendle Diver\n\nWendle Diver\n\n\nWJApp.Document\nWJApp Document"));
    // Each edition keeps its settings under a company of its own.
    EXPECT_EQ(AfxLoadStringResource(IDS_COMPANY_KEY),
              std::optional<std::u16string_view>(u"Wendle"));
    EXPECT_EQ(Reader().FindString(IDS_COMPANY_KEY),
              std::optional<std::u16string_view>(u"Parlonda"));

    const MenuTemplate* menu = AfxLoadMenuTemplate(IDR_MAINFRAME);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 1u);
    const auto& file = menu->items[0].items;
    ASSERT_EQ(file.size(), 4u);
    EXPECT_EQ(file[0].text, u"&About Wendle Diver...");
    EXPECT_EQ(file[0].id, 57664u);
    // The rest of the menu is the reader's.
    const auto& readerFile = Reader().FindMenu(IDR_MAINFRAME)->items[0].items;
    for (std::size_t i = 1; i < file.size(); ++i) {
        EXPECT_EQ(file[i].text, readerFile[i].text) << i;
        EXPECT_EQ(file[i].id, readerFile[i].id) << i;
        EXPECT_EQ(file[i].separator, readerFile[i].separator) << i;
    }

    const DialogTemplate* about = AfxLoadDialogTemplate(IDD_ABOUTBOX);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->caption, u"About Wendle Diver");
    const DialogTemplate& readerAbout = *Reader().FindDialog(IDD_ABOUTBOX);
    ExpectSameDialog(*about, readerAbout);
    ASSERT_EQ(about->items.size(), readerAbout.items.size());
    ExpectSameControl(about->items[0], readerAbout.items[0]);
    ExpectSameControl(about->items[2], readerAbout.items[2]);  // the picture, IDB_ABOUT
    EXPECT_EQ(Text(about->items[1].text), "Support: wendle.example");
}

TEST_F(WendleResources, FormIsTheReadersWithoutNumberFieldAndSpin) {
    const DialogTemplate* form = AfxLoadDialogTemplate(IDD_JOKEPAD_FORM);
    ASSERT_NE(form, nullptr);
    const DialogTemplate& readerForm = *Reader().FindDialog(IDD_JOKEPAD_FORM);
    ExpectSameDialog(*form, readerForm);

    std::vector<DialogItemTemplate> expected;
    std::ranges::copy_if(readerForm.items, std::back_inserter(expected),
                         [](const DialogItemTemplate& item) {
                             return item.id != IDC_SPIN && item.id != IDC_NUMBER;
                         });
    ASSERT_EQ(expected.size(), 7u);
    ASSERT_EQ(form->items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ExpectSameControl(form->items[i], expected[i]);
}

TEST_F(WendleResources, SharedResourcesAreTheReaders) {
    // Every string but the document template string and the company key, and no others.
    std::map<WORD, std::u16string> strings = Wendle().strings;
    std::map<WORD, std::u16string> readerStrings = Reader().strings;
    for (const WORD own : {IDR_MAINFRAME, IDS_COMPANY_KEY}) {
        strings.erase(own);
        readerStrings.erase(own);
    }
    EXPECT_EQ(strings, readerStrings);

    for (const int id : {IDD_FAVORITES, IDD_SELECT_FONT}) {
        SCOPED_TRACE(id);
        const DialogTemplate* mine = Wendle().FindDialog(id);
        const DialogTemplate* theirs = Reader().FindDialog(id);
        ASSERT_NE(mine, nullptr);
        ASSERT_NE(theirs, nullptr);
        EXPECT_EQ(mine->caption, theirs->caption);
        ExpectSameDialog(*mine, *theirs);
        ASSERT_EQ(mine->items.size(), theirs->items.size());
        for (std::size_t i = 0; i < mine->items.size(); ++i)
            ExpectSameControl(mine->items[i], theirs->items[i]);
    }

    const AcceleratorTable* keys = AfxLoadAcceleratorTable(IDR_MAINFRAME);
    ASSERT_NE(keys, nullptr);
    ASSERT_EQ(keys->entries.size(), 1u);
    EXPECT_EQ(keys->entries[0].key, 'Q');
    EXPECT_EQ(keys->entries[0].command, 57665);
    EXPECT_TRUE(keys->entries[0].control);
}

TEST_F(WendleResources, PicturesAreItsOwnInTheReadersFormats) {
    const auto bitmap = AfxLoadBitmapResource(IDB_ABOUT);
    ASSERT_TRUE(bitmap);
    picturechecks::ExpectAboutBitmap(*bitmap);
    const auto readerBitmap = Reader().FindBitmap(IDB_ABOUT)->bytes.Span();
    EXPECT_FALSE(std::ranges::equal(*bitmap, readerBitmap));

    const auto icon = AfxLoadIconResource(IDI_JOKEPAD);
    ASSERT_TRUE(icon);
    picturechecks::ExpectProgramIcon(*icon);
}

TEST_F(WendleResources, VersionRecordNamesTheEdition) {
    const VersionInfo* version = AfxLoadVersionInfo();
    ASSERT_NE(version, nullptr);
    const VersionInfo& reader = *Reader().FindVersion(1);
    EXPECT_EQ(version->fileVersion, reader.fileVersion);
    EXPECT_EQ(version->productVersion, reader.productVersion);
    EXPECT_EQ(version->fileOS, reader.fileOS);
    EXPECT_EQ(version->fileType, reader.fileType);
    EXPECT_EQ(version->translations, reader.translations);
    const struct {
        std::u16string_view key, value;
    } values[] = {
        {u"FileDescription", u"Wendle Diver Application"},
        {u"InternalName", u"WJ"},
        {u"OriginalFilename", u"WJ.exe"},
        {u"ProductName", u"Wendle Diver"},
        {u"FileVersion", u"1, 0, 0, 1"},
    };
    for (const auto& v : values) {
        const auto value = version->Value(v.key);
        ASSERT_TRUE(value) << Text(v.key);
        EXPECT_EQ(*value, v.value) << Text(v.key);
    }
}

}  // namespace
