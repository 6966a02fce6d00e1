// The reader's compiled resources hold what the program's code relies on.

#include <gtest/gtest.h>

#include <array>

#include "JokepadResources.h"
#include "platform/base/Utf.h"
#include "reader/res/resource.h"
#include "tests/reader/res/PictureChecks.h"

namespace {

class ReaderResources : public ::testing::Test {
protected:
    void SetUp() override { AfxSetResourceModule(&::JokepadResources()); }
    void TearDown() override { AfxSetResourceModule(nullptr); }
};

TEST_F(ReaderResources, StringTableHoldsEveryTextExactly) {
    const struct {
        UINT id;
        std::u16string_view text;
    } cases[] = {
        {IDR_MAINFRAME, u"Parlonda Diver\n\nParlonda\n\n\nPRL.Document\nPRL Document"},
        {57345, u"Ready"},
        {57664, u"Display program information, version number and copyright\nAbout"},
        {57665, u"Quit the application; prompts to save documents\nExit"},
        {59137, u"CAP"},
        {61190, u"Close the active window and prompts to save the documents"},
        {61203, u"Activate Task List"},
        {IDS_CANNOT_OPEN_DATA_FILE, u"Cannot open jokes data file."},
        {IDS_CANNOT_CREATE_FAVORITES, u"Cannot create favorites file. Error is: %s"},
        {IDS_NO_FAVORITES, u"No favorites defined. "},  // the blank belongs to it
    };
    for (const auto& c : cases) {
        const auto text = AfxLoadStringResource(c.id);
        ASSERT_TRUE(text) << c.id;
        EXPECT_EQ(*text, c.text) << c.id;
    }
    // The application title has none, so the framework names the program after its file.
    EXPECT_FALSE(AfxLoadStringResource(57344));
}

TEST_F(ReaderResources, FileMenuHoldsItsItemsInOrder) {
    const MenuTemplate* menu = AfxLoadMenuTemplate(IDR_MAINFRAME);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 1u);
    const MenuItemTemplate& file = menu->items[0];
    EXPECT_TRUE(file.popup);
    EXPECT_EQ(file.text, u"&File");
    const struct {
        std::u16string_view text;
        UINT id;
        bool separator;
    } expected[] = {
        {u"&About Parlonda Diver...", 57664, false},
        {u"Font ...", ID_FILE_FONT, false},
        {u"", 0, true},
        {u"E&xit", 57665, false},
    };
    ASSERT_EQ(file.items.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const MenuItemTemplate& item = file.items[i];
        EXPECT_EQ(item.text, expected[i].text) << i;
        EXPECT_EQ(item.id, expected[i].id) << i;
        EXPECT_EQ(item.separator, expected[i].separator) << i;
        EXPECT_FALSE(item.popup || item.grayed || item.checked) << i;
    }
}

TEST_F(ReaderResources, FormTemplateHoldsNineControlsWhereTheyBelong) {
    const DialogTemplate* form = AfxLoadDialogTemplate(IDD_JOKEPAD_FORM);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->cx, 137);
    EXPECT_EQ(form->cy, 150);
    EXPECT_EQ(form->style & 0x40000000u, 0x40000000u);  // a child window
    EXPECT_EQ(form->style & 0x00C00000u, 0u);           // without a caption
    EXPECT_EQ(form->fontName, u"System");
    EXPECT_EQ(form->pointSize, 8);

    constexpr DWORD kVisible = 0x10000000;
    const struct {
        int id;
        DialogControlClass cls;
        std::u16string_view text;
        short x, y, cx, cy;
        bool visible;
    } expected[] = {
        {1000, DialogControlClass::Static, u"Static", 2, 11, 133, 104, true},
        {1001, DialogControlClass::Button, u"&Previous", 2, 118, 34, 14, true},
        {1002, DialogControlClass::Button, u"&Next", 37, 118, 34, 14, true},
        {1006, DialogControlClass::Button, u"Random", 73, 118, 34, 14, true},
        {1003, DialogControlClass::Button, u"Add to Favorites", 2, 134, 70, 14, true},
        {1004, DialogControlClass::Button, u"View Favorites", 73, 134, 61, 14, true},
        {1005, DialogControlClass::Static, u" ", 2, 2, 131, 8, true},
        {1011, DialogControlClass::Custom, u"Spin1", 124, 118, 11, 14, false},
        {1012, DialogControlClass::Edit, u"", 89, 109, 30, 12, false},
    };
    ASSERT_EQ(form->items.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const DialogItemTemplate& item = form->items[i];
        const auto& e = expected[i];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(item.id, e.id);
        EXPECT_EQ(item.controlClass, e.cls);
        EXPECT_EQ(item.text, e.text);
        EXPECT_EQ(item.x, e.x);
        EXPECT_EQ(item.y, e.y);
        EXPECT_EQ(item.cx, e.cx);
        EXPECT_EQ(item.cy, e.cy);
        EXPECT_EQ((item.style & kVisible) != 0, e.visible);
    }
    EXPECT_EQ(form->items[7].className, u"msctls_updown32");
    EXPECT_EQ(form->items[6].style & 0x0100u, 0x0100u);  // the counter reports taps
}

TEST_F(ReaderResources, AboutDialogClosesFromItsCaptionAndShowsThePicture) {
    const DialogTemplate* about = AfxLoadDialogTemplate(IDD_ABOUTBOX);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->caption, u"About Parlonda Diver");
    EXPECT_EQ(about->exStyle, 0x80000000u);  // the OK button on the caption
    ASSERT_EQ(about->items.size(), 3u);
    const DialogItemTemplate& picture = about->items[2];
    EXPECT_EQ(picture.controlClass, DialogControlClass::Static);
    EXPECT_EQ(picture.textResource, std::optional<WORD>(IDB_ABOUT));
    EXPECT_EQ(picture.style & 0x1Fu, 0x0Eu);  // a bitmap picture
    for (const DialogItemTemplate& item : about->items)
        EXPECT_EQ(item.id, -1);
    EXPECT_TRUE(about->items[1].text.starts_with(u"Support: "));
}

TEST_F(ReaderResources, ControlQExits) {
    const AcceleratorTable* table = AfxLoadAcceleratorTable(IDR_MAINFRAME);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->entries.size(), 1u);
    const AcceleratorEntry& entry = table->entries[0];
    EXPECT_EQ(entry.key, 'Q');
    EXPECT_EQ(entry.command, 57665);
    EXPECT_TRUE(entry.virtKey);
    EXPECT_TRUE(entry.control);
    EXPECT_TRUE(entry.noInvert);
    EXPECT_FALSE(entry.shift || entry.alt);
}

TEST_F(ReaderResources, PicturesHaveTheirSizesAndColours) {
    const auto bitmap = AfxLoadBitmapResource(IDB_ABOUT);
    ASSERT_TRUE(bitmap);
    picturechecks::ExpectAboutBitmap(*bitmap);

    const auto icon = AfxLoadIconResource(IDI_JOKEPAD);
    ASSERT_TRUE(icon);
    picturechecks::ExpectProgramIcon(*icon);
}

TEST_F(ReaderResources, VersionRecordNamesTheProgram) {
    const VersionInfo* version = AfxLoadVersionInfo();
    ASSERT_NE(version, nullptr);
    const std::array<WORD, 4> v1001{1, 0, 0, 1};
    EXPECT_EQ(version->fileVersion, v1001);
    EXPECT_EQ(version->productVersion, v1001);
    EXPECT_EQ(version->fileOS, 0x4u);    // 32-bit Windows
    EXPECT_EQ(version->fileType, 0x1u);  // an application
    EXPECT_EQ(version->fileFlags, 0u);
    ASSERT_EQ(version->stringTables.size(), 1u);
    EXPECT_EQ(version->stringTables[0].block, u"040904b0");
    const struct {
        std::u16string_view key, value;
    } values[] = {
        {u"FileVersion", u"1, 0, 0, 1"},
        {u"ProductVersion", u"1, 0, 0, 1"},
        {u"FileDescription", u"Tobble Diver Application"},
        {u"InternalName", u"jokepad"},
        {u"OriginalFilename", u"jokepad.EXE"},
        {u"ProductName", u"Tobble Application"},
        {u"Comments", u""},
        {u"CompanyName", u""},
        {u"LegalTrademarks", u""},
        {u"PrivateBuild", u""},
        {u"SpecialBuild", u""},
    };
    for (const auto& v : values) {
        const auto value = version->Value(v.key);
        ASSERT_TRUE(value) << platform::Utf16ToUtf8(v.key);
        EXPECT_EQ(*value, v.value) << platform::Utf16ToUtf8(v.key);
    }
    const std::vector<std::pair<WORD, WORD>> translation{{0x0409, 0x04B0}};
    EXPECT_EQ(version->translations, translation);
}

}  // namespace
