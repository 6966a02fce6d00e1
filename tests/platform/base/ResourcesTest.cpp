#include "platform/base/Resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

RawResource Raw(const ResourceId& type, const ResourceId& name, std::string_view content) {
    return {type, name, ResourceBytes::Own(Bytes(content))};
}

// Sets a module as the current one for one test.
class CurrentModule {
public:
    explicit CurrentModule(const ResourceModule* module) : m_previous(AfxGetResourceModule()) {
        AfxSetResourceModule(module);
    }
    ~CurrentModule() { AfxSetResourceModule(m_previous); }

private:
    const ResourceModule* m_previous;
};

std::vector<std::string> Strings(const std::vector<ResourceId>& ids) {
    std::vector<std::string> out;
    for (const ResourceId& id : ids)
        out.push_back(id.ToString());
    return out;
}

TEST(ResourceId, NamesIgnoreLetterCaseAndSortBeforeNumbers) {
    EXPECT_EQ(ResourceId("CabFiles"), ResourceId(u"CABFILES"));
    EXPECT_EQ(ResourceId("cabfiles").Name(), u"CABFILES");
    EXPECT_EQ(ResourceId(std::string("\xc3\xa9t\xc3\xa9")), ResourceId(u"\u00c9T\u00c9"));
    EXPECT_EQ(ResourceId(128), MAKEINTRESOURCE(128));
    EXPECT_NE(ResourceId(128), ResourceId("128"));  // a name of digits is still a name
    EXPECT_TRUE(ResourceId(0x1'0080).IsNumber());
    EXPECT_EQ(ResourceId(0x1'0080).Number(), 0x80);  // cut to 16 bits, as MAKEINTRESOURCE

    // Each pair in the platform's directory order: names by code unit, then numbers.
    const std::pair<ResourceId, ResourceId> ordered[] = {
        {"A", "B"},
        {"DIVER.PPC300_10003.CAB", "DIVER.PPC300_2577.CAB"},
        {"DIVER.PPC300_2577.CAB", "diver.ppc300_4000.cab"},
        {"ZZZ", 1},
        {"", 0},
        {2, 10},
        {"AB", "ABC"},
    };
    for (const auto& [first, second] : ordered) {
        EXPECT_LT(first, second) << first.ToString() << " < " << second.ToString();
        EXPECT_GT(second, first) << first.ToString() << " < " << second.ToString();
    }
}

TEST(ResourceModule, EnumeratesNamesOfATypeInDirectoryOrder) {
    ResourceModule module;
    module.raw = {
        Raw("CABFiles", "Diver.PPC300_4000.CAB", "mips"),
        Raw("CABFiles", 7, "seven"),
        Raw("cabfiles", "diver.ppc300_10003.cab", "sh3"),
        Raw("INIFiles", "WJ.INI", "ini"),
        Raw("CABFILES", 3, "three"),
        Raw("CabFiles", "DIVER.PPC300_2577.CAB", "arm"),
        Raw("CABFiles", "DIVER.PPC300_2577.CAB", "second of one name"),
    };
    struct Visit {
        std::vector<std::string> names;
        std::vector<std::string> types;
    } visit;
    const auto collect = [](HMODULE, const ResourceId& type, const ResourceId& name,
                            LPARAM param) -> BOOL {
        auto& v = *reinterpret_cast<Visit*>(param);
        v.names.push_back(name.ToString());
        v.types.push_back(type.ToString());
        return TRUE;
    };
    EXPECT_TRUE(EnumResourceNames(&module, "cabFILES", collect, reinterpret_cast<LPARAM>(&visit)));
    const std::vector<std::string> expected{"DIVER.PPC300_10003.CAB", "DIVER.PPC300_2577.CAB",
                                            "DIVER.PPC300_4000.CAB", "3", "7"};
    EXPECT_EQ(visit.names, expected);
    EXPECT_EQ(visit.types, std::vector<std::string>(5, "CABFILES"));

    // The first of two resources of one name is the one found.
    const HRSRC arm = FindResource(&module, "diver.ppc300_2577.cab", "CABFiles");
    ASSERT_NE(arm, nullptr);
    EXPECT_EQ(SizeofResource(&module, arm), 3u);
}

TEST(ResourceModule, EnumerationStopsWhenTheCallbackSaysSoAndFailsForAnUnknownType) {
    ResourceModule module;
    module.raw = {Raw("INIFiles", "B.INI", "b"), Raw("INIFiles", "A.INI", "a")};
    std::vector<std::string> seen;
    const auto stop = [](HMODULE, const ResourceId&, const ResourceId& name, LPARAM param) {
        reinterpret_cast<std::vector<std::string>*>(param)->push_back(name.ToString());
        return FALSE;
    };
    EXPECT_FALSE(EnumResourceNames(&module, "INIFiles", stop, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_EQ(seen, std::vector<std::string>{"A.INI"});

    seen.clear();
    EXPECT_FALSE(EnumResourceNames(&module, "CABFiles", stop, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(EnumResourceNames(&module, "INIFiles", nullptr, 0));
}

TEST(ResourceModule, RawResourcesLoadTheirBytesWhateverTheLetterCase) {
    ResourceModule module;
    module.raw = {Raw("INIFiles", "WJ.INI", "[CEAppManager]\r\n"), Raw("CABFiles", "E.CAB", "")};
    const HRSRC found = FindResource(&module, "wj.ini", "inifiles");
    ASSERT_NE(found, nullptr);
    const HGLOBAL loaded = LoadResource(&module, found);
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(SizeofResource(&module, found), 16u);
    EXPECT_EQ(std::memcmp(LockResource(loaded), "[CEAppManager]\r\n", 16), 0);
    const auto span = LoadResourceBytes(&module, found);
    EXPECT_EQ(std::string(span.begin(), span.end()), "[CEAppManager]\r\n");

    // An empty resource is found, has size 0 and still locks to an address.
    const HRSRC empty = FindResource(&module, "E.CAB", "CABFiles");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SizeofResource(&module, empty), 0u);
    EXPECT_NE(LockResource(LoadResource(&module, empty)), nullptr);

    // Missing pieces: nothing found, and nothing to load.
    EXPECT_EQ(FindResource(&module, "WJ.INI", "CABFiles"), nullptr);
    EXPECT_EQ(FindResource(&module, "WJ", "INIFiles"), nullptr);
    EXPECT_EQ(FindResource(&module, 1, "INIFiles"), nullptr);
    EXPECT_EQ(LoadResource(&module, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(&module, nullptr), 0u);
    EXPECT_EQ(LockResource(nullptr), nullptr);

    // A null module handle means the current module.
    EXPECT_EQ(FindResource(nullptr, "WJ.INI", "INIFiles"), nullptr);
    CurrentModule current(&module);
    EXPECT_EQ(FindResource(nullptr, "WJ.INI", "INIFiles"), found);
}

TEST(ResourceModule, CopiesKeepOwnedBytesAlive) {
    ResourceModule copy;
    {
        ResourceModule original;
        original.raw = {Raw("DATA", "X", std::string(1000, 'x'))};
        copy = original;
    }
    const HRSRC found = FindResource(&copy, "X", "DATA");
    ASSERT_NE(found, nullptr);
    const auto bytes = LoadResourceBytes(&copy, found);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string(1000, 'x'));
}

TEST(ResourceModule, StandardTypesAreEnumeratedToo) {
    ResourceModule module;
    module.strings = {{1, u"one"}, {15, u"fifteen"}, {16, u"sixteen"}, {61206, u"x "}, {40, u""}};
    module.dialogs.push_back(DialogTemplate{.name = 135});
    module.dialogs.push_back(DialogTemplate{.name = "ABOUT"});
    module.dialogs.push_back(DialogTemplate{.name = 100});
    module.raw = {Raw(RT_RCDATA, 5, "r")};
    // Strings come in blocks of 16 ids; an empty text is no string.
    EXPECT_EQ(Strings(module.Names(RT_STRING)), (std::vector<std::string>{"1", "2", "3826"}));
    EXPECT_EQ(Strings(module.Names(RT_DIALOG)), (std::vector<std::string>{"ABOUT", "100", "135"}));
    EXPECT_EQ(Strings(module.Names(RT_RCDATA)), std::vector<std::string>{"5"});
    EXPECT_TRUE(module.Names(RT_MENU).empty());
}

TEST(ResourceLoaders, ReadTheCurrentModuleAndFindNothingWithoutOne) {
    ResourceModule module;
    module.strings = {{61206, u"No favorites defined. "}, {7, u""}};
    module.dialogs.push_back(DialogTemplate{.name = 101, .cx = 137, .cy = 150});
    module.menus.push_back(MenuTemplate{.name = 128, .items = {{.text = u"&File"}}});
    module.acceleratorTables.push_back(
        AcceleratorTable{.name = 128, .entries = {{.key = 'Q', .command = 57665}}});
    module.bitmaps.push_back(ImageResource{131, ResourceBytes::Own(Bytes("BM"))});
    module.icons.push_back(ImageResource{"APP", ResourceBytes::Own(Bytes("ico"))});
    module.versions.push_back(VersionInfo{.fileVersion = {1, 0, 0, 1}});

    {
        CurrentModule none(nullptr);
        EXPECT_FALSE(AfxLoadStringResource(61206));
        EXPECT_EQ(AfxLoadDialogTemplate(101), nullptr);
        EXPECT_EQ(AfxLoadMenuTemplate(128), nullptr);
        EXPECT_EQ(AfxLoadAcceleratorTable(128), nullptr);
        EXPECT_FALSE(AfxLoadBitmapResource(131));
        EXPECT_FALSE(AfxLoadIconResource("APP"));
        EXPECT_EQ(AfxLoadVersionInfo(), nullptr);
    }

    CurrentModule current(&module);
    EXPECT_EQ(AfxGetResourceModule(), &module);
    EXPECT_EQ(AfxLoadStringResource(61206),
              std::optional<std::u16string_view>(u"No favorites defined. "));
    EXPECT_FALSE(AfxLoadStringResource(7));  // an empty text is stored as no string
    EXPECT_FALSE(AfxLoadStringResource(8));
    EXPECT_FALSE(AfxLoadStringResource(61206 + 0x10000));  // ids are 16 bits; no wrap-around
    ASSERT_NE(AfxLoadDialogTemplate(101), nullptr);
    EXPECT_EQ(AfxLoadDialogTemplate(101)->cx, 137);
    EXPECT_EQ(AfxLoadDialogTemplate(102), nullptr);
    ASSERT_NE(AfxLoadMenuTemplate(128), nullptr);
    EXPECT_EQ(AfxLoadMenuTemplate(128)->items[0].text, u"&File");
    ASSERT_NE(AfxLoadAcceleratorTable(128), nullptr);
    EXPECT_EQ(AfxLoadAcceleratorTable(128)->entries[0].command, 57665);
    ASSERT_TRUE(AfxLoadBitmapResource(131));
    EXPECT_EQ(AfxLoadBitmapResource(131)->size(), 2u);
    EXPECT_FALSE(AfxLoadBitmapResource("APP"));  // an icon is not a bitmap
    ASSERT_TRUE(AfxLoadIconResource("app"));
    ASSERT_NE(AfxLoadVersionInfo(), nullptr);
    EXPECT_EQ(AfxLoadVersionInfo()->fileVersion[3], 1);
}

}  // namespace
