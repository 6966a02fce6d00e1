// The compiler reads scripts as the platform's resource compiler does. Scripts, headers and data
// files come from memory.

#include "tools/rc/Parser.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/base/Utf.h"

namespace {

using rc::ControlClass;
using rc::Script;

constexpr const char* kMain = "dir/main.rc";

Script Parse(const std::string& script, const std::map<std::string, std::string>& files = {}) {
    rc::MemoryFileSystem fs;
    fs.Add(kMain, script);
    for (const auto& [path, content] : files)
        fs.Add(path, content);
    return rc::ParseScript(fs, kMain, {"inc"});
}

// The one dialog of a script that holds a dialog header and the given body lines.
rc::Dialog ParseDialog(const std::string& header, const std::string& body) {
    const Script script = Parse("1 " + header + "\nBEGIN\n" + body + "\nEND\n");
    EXPECT_EQ(script.dialogs.size(), 1u);
    return script.dialogs.empty() ? rc::Dialog{} : script.dialogs[0];
}

std::string Utf8(std::u16string_view text) {
    return platform::Utf16ToUtf8(text);
}

TEST(Preprocessor, IncludesDefinesAndConditionsDecideWhatIsRead) {
    const Script script = Parse(R"(
#include "ids.h"
/* a comment
   over lines */ STRINGTABLE   // and one to the end of the line
BEGIN
    IDS_ONE         "one"
    IDS_TWO,        "two"
    IDS_SUM         "sum"
#ifdef RC_INVOKED
    100             "the compiler defines RC_INVOKED"
#else
    101             "not taken"
#endif
#ifndef IDS_ONE
    102             "not taken"
#else
#ifdef NOWHERE
    103             "not taken"
#endif
    104             "nested"
#endif
END
)",
                                {{"dir/ids.h",
                                  "#pragma once\n#define IDS_ONE 1\n"
                                  "#define IDS_TWO IDS_ONE + 1 // a comment\n"
                                  "int not_a_resource(void);\n"
                                  "#include <more.h>\n"},
                                 {"inc/more.h",
                                  "#define IDS_SUM (IDS_TWO * 10 | 0x1000)\n"
                                  "#define IDS_SUM (IDS_TWO * 10 | 0x1000)\n"}});
    const std::map<std::uint16_t, std::u16string> expected{
        {1, u"one"},
        {2, u"two"},
        {0x100B, u"sum"},  // as C reads it: 1 + 1 * 10 | 0x1000
        {100, u"the compiler defines RC_INVOKED"},
        {104, u"nested"}};
    EXPECT_EQ(script.strings, expected);
    const std::vector<std::string> files{"dir/main.rc", "dir/ids.h", "inc/more.h"};
    EXPECT_EQ(script.filesRead, files);
}

TEST(StringTable, TextsKeepEveryCharacterAndEscape) {
    const struct {
        const char* literal;
        std::u16string text;
    } cases[] = {
        {R"("plain")", u"plain"},
        {R"("trailing blank ")", u"trailing blank "},
        {R"("a\nb\tc\\d")", u"a\nb\tc\\d"},
        {R"("say ""hi"" and \"bye\"")", u"say \"hi\" and \"bye\""},
        {R"("\x41\101\0012\0101")",
         u"AA\u0001"
         u"2\b1"},  // octal stops after 3 digits
        {"\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\"", u"caf\u00e9 \u20ac \U0001F600"},
        {R"(L"wide")", u"wide"},
        {R"("")", u""},
        {R"("%s and %d")", u"%s and %d"},
    };
    for (const auto& c : cases) {
        const Script script = Parse(std::string("STRINGTABLE\nBEGIN\n 7 ") + c.literal + "\nEND\n");
        ASSERT_EQ(script.strings.count(7), 1u) << c.literal;
        EXPECT_EQ(script.strings.at(7), c.text)
            << c.literal << " gave " << Utf8(script.strings.at(7));
    }
}

TEST(Dialog, ControlStatementsGiveTheirDefaultStyles) {
    const struct {
        const char* line;
        ControlClass cls;
        const char16_t* className;
        std::int32_t id;
        std::uint32_t style;
        std::uint32_t exStyle;
    } cases[] = {
        {"LTEXT \"a\",5,1,2,3,4", ControlClass::Static, u"Static", 5, 0x50020000, 0},
        {"RTEXT \"a\",5,1,2,3,4,SS_NOPREFIX", ControlClass::Static, u"Static", 5, 0x50020082, 0},
        {"CTEXT \"a\",5,1,2,3,4", ControlClass::Static, u"Static", 5, 0x50020001, 0},
        {"LTEXT \"a\",-1,1,2,3,4,SS_NOTIFY | NOT WS_GROUP", ControlClass::Static, u"Static", -1,
         0x50000100, 0},
        {"PUSHBUTTON \"a\",5,1,2,3,4", ControlClass::Button, u"Button", 5, 0x50010000, 0},
        {"DEFPUSHBUTTON \"a\",5,1,2,3,4,NOT WS_TABSTOP", ControlClass::Button, u"Button", 5,
         0x50000001, 0},
        {"GROUPBOX \"a\",5,1,2,3,4", ControlClass::Button, u"Button", 5, 0x50000007, 0},
        {"EDITTEXT 5,1,2,3,4,ES_AUTOHSCROLL | NOT WS_VISIBLE", ControlClass::Edit, u"Edit", 5,
         0x40810080, 0},
        {"EDITTEXT 5,1,2,3,4,ES_NUMBER,WS_EX_CLIENTEDGE", ControlClass::Edit, u"Edit", 5,
         0x50812000, 0x200},
        {"COMBOBOX 5,1,2,3,4,CBS_DROPDOWNLIST | WS_VSCROLL", ControlClass::ComboBox, u"ComboBox", 5,
         0x50210003, 0},
        {"LISTBOX 5,1,2,3,4", ControlClass::ListBox, u"ListBox", 5, 0x50800001, 0},
        {"CONTROL \"Spin1\",5,\"msctls_updown32\",UDS_ARROWKEYS | UDS_AUTOBUDDY,1,2,3,4",
         ControlClass::Custom, u"msctls_updown32", 5, 0x50000030, 0},
        {"CONTROL \"x\",5,\"BUTTON\",BS_AUTOCHECKBOX | WS_TABSTOP,1,2,3,4,WS_EX_STATICEDGE",
         ControlClass::Button, u"Button", 5, 0x50010003, 0x20000},
        {"CONTROL \"\",5,Static,WS_BORDER | NOT WS_VISIBLE,1,2,3,4", ControlClass::Static,
         u"Static", 5, 0x40800000, 0},
        {"CONTROL \"\",0xFFFF,\"Edit\",0x80 | (1 + 1) * 2,1,2,3,4", ControlClass::Edit, u"Edit",
         0xFFFF, 0x50000084, 0},
    };
    for (const auto& c : cases) {
        const rc::Dialog dialog = ParseDialog("DIALOG 0, 0, 137, 150", c.line);
        ASSERT_EQ(dialog.controls.size(), 1u) << c.line;
        const rc::Control& control = dialog.controls[0];
        EXPECT_EQ(control.controlClass, c.cls) << c.line;
        EXPECT_EQ(control.className, c.className) << c.line;
        EXPECT_EQ(control.id, c.id) << c.line;
        EXPECT_EQ(control.style, c.style) << c.line << std::hex << " gave 0x" << control.style;
        EXPECT_EQ(control.exStyle, c.exStyle) << c.line;
        EXPECT_EQ(control.x, 1) << c.line;
        EXPECT_EQ(control.y, 2) << c.line;
        EXPECT_EQ(control.cx, 3) << c.line;
        EXPECT_EQ(control.cy, 4) << c.line;
    }
}

TEST(Dialog, HeaderStatementsSetStylesFontAndCaption) {
    // Without STYLE: a pop-up with a border and a system menu.
    rc::Dialog plain = ParseDialog("DIALOG DISCARDABLE -1, 2, 300, 200", "");
    EXPECT_EQ(plain.style, 0x80880000u);
    EXPECT_EQ(plain.x, -1);
    EXPECT_EQ(plain.cy, 200);
    EXPECT_TRUE(plain.fontName.empty());

    // CAPTION brings the caption style, FONT the set-font style.
    rc::Dialog about = ParseDialog(
        "DIALOG 0, 0, 137, 150\nSTYLE WS_POPUP | DS_MODALFRAME\nEXSTYLE WS_EX_CAPTIONOKBTN\n"
        "CAPTION \"About \"\"it\"\"\"\nFONT 8, \"System\"",
        "CONTROL 131,-1,\"Static\",SS_BITMAP,28,1,20,20");
    EXPECT_EQ(about.style, 0x80C000C0u);
    EXPECT_EQ(about.exStyle, 0x80000000u);
    EXPECT_EQ(about.caption, u"About \"it\"");
    EXPECT_EQ(about.fontName, u"System");
    EXPECT_EQ(about.pointSize, 8);
    ASSERT_EQ(about.controls.size(), 1u);
    EXPECT_EQ(about.controls[0].textResource, std::optional<std::uint16_t>(131));
    EXPECT_TRUE(about.controls[0].text.empty());

    rc::Dialog ex =
        ParseDialog("DIALOGEX 0, 0, 100, 50, 77\nSTYLE WS_CHILD\nFONT 9, \"Tahoma\", 700, 1, 0x1",
                    "LTEXT \"a\",1,1,2,3,4,0,0,88");
    EXPECT_TRUE(ex.extended);
    EXPECT_EQ(ex.helpId, 77u);
    EXPECT_EQ(ex.style, 0x40000040u);
    EXPECT_EQ(ex.fontWeight, 700);
    EXPECT_TRUE(ex.fontItalic);
    EXPECT_EQ(ex.fontCharset, 1);
    ASSERT_EQ(ex.controls.size(), 1u);
    EXPECT_EQ(ex.controls[0].helpId, 88u);
}

TEST(Menu, PopupsNestAndItemsKeepTheirOptions) {
    const Script script = Parse(R"(
#define ID_OPEN 0xE101
128 MENU DISCARDABLE
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&Open\tCtrl+O",   ID_OPEN
        MENUITEM SEPARATOR
        POPUP "&Recent", GRAYED
        {
            MENUITEM "One", 1, CHECKED, MENUBREAK
            MENUITEM "Two", 2 INACTIVE
        }
        MENUITEM "E&xit", 57665, HELP MENUBARBREAK
    END
    MENUITEM "&Help", 3
END
)");
    ASSERT_EQ(script.menus.size(), 1u);
    const rc::Menu& menu = script.menus[0];
    EXPECT_EQ(menu.name, rc::Name::Number(128));
    ASSERT_EQ(menu.items.size(), 2u);
    const rc::MenuItem& file = menu.items[0];
    EXPECT_TRUE(file.popup);
    EXPECT_EQ(file.text, u"&File");
    ASSERT_EQ(file.items.size(), 4u);
    EXPECT_EQ(file.items[0].text, u"&Open\tCtrl+O");
    EXPECT_EQ(file.items[0].id, 0xE101u);
    EXPECT_TRUE(file.items[1].separator);
    const rc::MenuItem& recent = file.items[2];
    EXPECT_TRUE(recent.popup && recent.grayed);
    ASSERT_EQ(recent.items.size(), 2u);
    EXPECT_TRUE(recent.items[0].checked && recent.items[0].menuBreak);
    EXPECT_FALSE(recent.items[0].grayed);
    EXPECT_TRUE(recent.items[1].inactive);
    EXPECT_TRUE(file.items[3].help && file.items[3].menuBarBreak);
    EXPECT_EQ(menu.items[1].id, 3u);
    EXPECT_FALSE(menu.items[1].popup);
}

TEST(Accelerators, KeysAreVirtualKeysOrCharacters) {
    const struct {
        const char* line;
        rc::Accelerator expected;
    } cases[] = {
        {"\"Q\", 57665, VIRTKEY, CONTROL, NOINVERT", {'Q', 57665, true, false, true, false, true}},
        {"\"^C\", 2", {3, 2, false, false, false, false, false}},
        {"\"a\", 3, ASCII, ALT", {'a', 3, false, false, false, true, false}},
        {"VK_F1, 4, VIRTKEY, SHIFT, ALT", {0x70, 4, true, true, false, true, false}},
        {"65, 5", {65, 5, false, false, false, false, false}},
        {"\"7\", 6, VIRTKEY", {'7', 6, true, false, false, false, false}},
    };
    for (const auto& c : cases) {
        const Script script = Parse(std::string("1 ACCELERATORS\nBEGIN\n") + c.line + "\nEND\n");
        ASSERT_EQ(script.acceleratorTables.size(), 1u) << c.line;
        ASSERT_EQ(script.acceleratorTables[0].entries.size(), 1u) << c.line;
        const rc::Accelerator& a = script.acceleratorTables[0].entries[0];
        const rc::Accelerator& e = c.expected;
        EXPECT_EQ(a.key, e.key) << c.line;
        EXPECT_EQ(a.command, e.command) << c.line;
        EXPECT_EQ(a.virtKey, e.virtKey) << c.line;
        EXPECT_EQ(a.shift, e.shift) << c.line;
        EXPECT_EQ(a.control, e.control) << c.line;
        EXPECT_EQ(a.alt, e.alt) << c.line;
        EXPECT_EQ(a.noInvert, e.noInvert) << c.line;
    }
}

TEST(Version, FixedFieldsStringsAndTranslation) {
    const Script script = Parse(R"(
VS_VERSION_INFO VERSIONINFO
 FILEVERSION 1,2,3,4
 PRODUCTVERSION 5,6
 FILEFLAGSMASK VS_FFI_FILEFLAGSMASK
 FILEFLAGS 0x0L
 FILEOS VOS__WINDOWS32
 FILETYPE VFT_APP
 FILESUBTYPE 0x0L
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040904b0"
        BEGIN
            VALUE "FileVersion", "1, 2, 3, 4\0"
            VALUE "Comments", ""
        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x409, 1200, 0x407, 1252
    END
END
)");
    ASSERT_EQ(script.versions.size(), 1u);
    const rc::Version& v = script.versions[0];
    EXPECT_EQ(v.name, rc::Name::Number(1));
    EXPECT_EQ(v.fileVersion, (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(v.productVersion, (std::array<std::uint16_t, 4>{5, 6, 0, 0}));
    EXPECT_EQ(v.fileFlagsMask, 0x3Fu);
    EXPECT_EQ(v.fileOS, 4u);
    EXPECT_EQ(v.fileType, 1u);
    ASSERT_EQ(v.stringTables.size(), 1u);
    EXPECT_EQ(v.stringTables[0].block, u"040904b0");
    const std::vector<std::pair<std::u16string, std::u16string>> values{
        {u"FileVersion", u"1, 2, 3, 4"}, {u"Comments", u""}};
    EXPECT_EQ(v.stringTables[0].values, values);
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> translations{{0x409, 1200},
                                                                            {0x407, 1252}};
    EXPECT_EQ(v.translations, translations);
}

TEST(Files, NamesTypesAndContentsOfFileResources) {
    const Script script = Parse(R"(
#define IDB_ABOUT 131
IDB_ABOUT BITMAP "art\\about.bmp"
IDI_APP ICON DISCARDABLE app.ico
WJ.INI INIFiles "payload/wj.ini"
"Diver.PPC300_2577.CAB" CABFiles "empty.cab"
7 RCDATA "payload/wj.ini"
)",
                                {{"dir/art/about.bmp", std::string("BM") + std::string(60, 'x')},
                                 {"inc/app.ico", std::string("\0\0\1\0\1\0", 6)},
                                 {"dir/payload/wj.ini", "[CEAppManager]\r\n"},
                                 {"inc/empty.cab", ""}});
    ASSERT_EQ(script.bitmaps.size(), 1u);
    EXPECT_EQ(script.bitmaps[0].name, rc::Name::Number(131));
    EXPECT_EQ(script.bitmaps[0].bytes.size(), 62u);
    ASSERT_EQ(script.icons.size(), 1u);
    EXPECT_EQ(script.icons[0].name, rc::Name::Text(u"IDI_APP"));  // an undefined id is a name
    ASSERT_EQ(script.raw.size(), 3u);
    EXPECT_EQ(script.raw[0].type, rc::Name::Text(u"INIFILES"));
    EXPECT_EQ(script.raw[0].name, rc::Name::Text(u"WJ.INI"));
    EXPECT_EQ(script.raw[0].bytes, "[CEAppManager]\r\n");
    EXPECT_EQ(script.raw[1].name.text, u"DIVER.PPC300_2577.CAB");  // stored upper-cased
    EXPECT_TRUE(script.raw[1].bytes.empty());
    EXPECT_EQ(script.raw[2].type, rc::Name::Number(10));
    const std::vector<std::string> files{"dir/main.rc",   "dir/art/about.bmp",
                                         "inc/app.ico",   "dir/payload/wj.ini",
                                         "inc/empty.cab", "dir/payload/wj.ini"};
    EXPECT_EQ(script.filesRead, files);
}

TEST(Errors, NameTheFileAndLineOfTheFault) {
    const struct {
        std::string script;
        std::string message;  // as the compiler prints it after "jokepad-rc: "
    } cases[] = {
        {"1 DIALOG 0,0,1,1\nSTYLE WS_BOGUS\nBEGIN\nEND",
         "dir/main.rc:2: unknown name WS_BOGUS (is resource.h included?)"},
        {"STRINGTABLE\nBEGIN\n1 \"a\"\n1 \"b\"\nEND",
         "dir/main.rc:4: string 1 is defined twice (first at dir/main.rc:3)"},
        {"1 MENU\nBEGIN\nEND\n\nx menu\nBEGIN\nEND\n1 MENU\nBEGIN\nEND",
         "dir/main.rc:8: menu 1 is defined twice (first at dir/main.rc:1)"},
        {"A X \"f\"\na x \"f\"",
         "dir/main.rc:2: resource of type \"X\", \"A\" is defined twice "
         "(first at dir/main.rc:1)"},
        {"STRINGTABLE\nBEGIN\n1 \"open\nEND", "dir/main.rc:3: the string is not closed by \""},
        {"\n/* open", "dir/main.rc:2: the comment is not closed by */"},
        {"#include \"missing.h\"", "dir/main.rc:1: cannot find the included file \"missing.h\""},
        {"\n1 BITMAP \"missing.bmp\"", "dir/main.rc:2: cannot find the file \"missing.bmp\""},
        {"1 BITMAP \"f\"", "dir/main.rc:1: \"f\" is not a bitmap (.bmp) file"},
        {"1 ICON \"f\"", "dir/main.rc:1: \"f\" is not an icon (.ico) file"},
        {"#ifdef X\n", "dir/main.rc:1: this #ifdef has no #endif in its file"},
        {"\n#else", "dir/main.rc:2: #else without #ifdef"},
        {"#if 1", "dir/main.rc:1: #if is not supported; use #ifdef or #ifndef"},
        {"#define A 1\n#define A 2",
         "dir/main.rc:2: A is defined again with another value (1, "
         "now 2)"},
        {"#define F(x) x", "dir/main.rc:1: macros with parameters are not supported"},
        {"#error stop here", "dir/main.rc:1: #error stop here"},
        {"1 ACCELERATORS\nBEGIN\n\"q\", 1, VIRTKEY\nEND",
         "dir/main.rc:3: a VIRTKEY key given as a character must be an upper-case letter or a "
         "digit"},
        {"1 ACCELERATORS\nBEGIN\n\"Q\", 1, CONTROL\nEND",
         "dir/main.rc:3: SHIFT and CONTROL apply to VIRTKEY accelerators only"},
        {"STRINGTABLE\nBEGIN\n1 \"\\q\"\nEND", "dir/main.rc:3: unknown escape \\q in the string"},
        {"STRINGTABLE\nBEGIN\n1 \"\xff\"\nEND", "dir/main.rc:3: the string is not valid UTF-8"},
        {"STRINGTABLE\nBEGIN\n1 \"a\"\n", "dir/main.rc:4: the block is not closed by END"},
        {"STRINGTABLE\nBEGIN\n0x123456789 \"a\"\nEND",
         "dir/main.rc:3: the number 0x123456789 does not fit in 32 bits"},
        {"STRINGTABLE\nBEGIN\n65536 \"a\"\nEND",
         "dir/main.rc:3: the string id 65536 does not fit in 16 bits"},
        {"STRINGTABLE\nBEGIN\nNOT 1 \"a\"\nEND",
         "dir/main.rc:3: NOT belongs in a style, before a style to leave out"},
        {"1 DIALOG 0,0,1,1\nBEGIN\nLTEXT \"a\",1,40000,0,1,1\nEND",
         "dir/main.rc:3: the coordinate 40000 is out of range"},
        {"1 DIALOG 0,0,1,1\nBEGIN\nLTEXT \"a\",70000,0,0,1,1\nEND",
         "dir/main.rc:3: the control id 70000 is out of range"},
        {"1 DIALOG 0,0,1,1\nBEGIN\nBUTTON \"a\",1,0,0,1,1\nEND",
         "dir/main.rc:3: expected a control statement or END, found BUTTON"},
        {"1 DIALOG 0,0,1,1\nMENU 5\nBEGIN\nEND",
         "dir/main.rc:2: a dialog's MENU statement is not supported"},
        {"1 TOOLBAR 16, 15", "dir/main.rc:1: resources of type TOOLBAR are not supported"},
        {"1 RCDATA\nBEGIN\n1\nEND",
         "dir/main.rc:2: data written in the script is not supported; name a file"},
        {"1 MENU\nBEGIN\nMENUITEM \"a\" 1\nEND", "dir/main.rc:3: expected ',', found 1"},
        {"#include \"bad.h\"", "dir/bad.h:3: unknown preprocessor line #define2"},
        {"LONELY", "dir/main.rc:1: the resource \"LONELY\" has no type"},
    };
    for (const auto& c : cases) {
        try {
            Parse(c.script, {{"dir/f", "not a picture"}, {"dir/bad.h", "// ok\n\n#define2 X\n"}});
            ADD_FAILURE() << "no error for:\n" << c.script;
        } catch (const rc::Error& error) {
            EXPECT_EQ(error.Describe(), c.message) << "for:\n" << c.script;
        }
    }
}

TEST(Errors, RunawayScriptsAreStoppedBeforeTheyExhaustTheMachine) {
    std::string doubling;
    for (int i = 0; i < 40; ++i)
        doubling += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + " M" +
                    std::to_string(i + 1) + "\n";
    std::string popups = "1 MENU\n";
    for (int i = 0; i < 100000; ++i)
        popups += "BEGIN POPUP \"x\"\n";
    const struct {
        std::string script;
        std::string message;
    } cases[] = {
        {"#include \"main.rc\"\n", "#include nests too deep (does a file include itself?)"},
        {"STRINGTABLE\nBEGIN\n" + std::string(100000, '(') + "1", "nested too deep"},
        {"STRINGTABLE\nBEGIN\n" + std::string(100000, '-') + "1", "nested too deep"},
        {popups, "nested too deep"},
        {doubling + "STRINGTABLE\nBEGIN\nM0 \"x\"\nEND\n", "expands to more than 4096 tokens"},
    };
    for (const auto& c : cases) {
        try {
            Parse(c.script);
            ADD_FAILURE() << "no error for:\n" << c.script.substr(0, 200);
        } catch (const rc::Error& error) {
            EXPECT_NE(error.Describe().find(c.message), std::string::npos) << error.Describe();
        }
    }
}

}  // namespace
