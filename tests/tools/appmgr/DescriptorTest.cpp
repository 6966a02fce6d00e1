// The application manager's descriptor and the INI form under it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/appmgr/Descriptor.h"
#include "tools/appmgr/IniFile.h"

namespace {

using appmgr::DescriptorError;
using appmgr::ParseDescriptor;

const std::string kWjIni =
    "[CEAppManager]\r\nVersion        = 1.0\r\nComponent  = WJ\r\n\r\n[WJ]\r\n"
    "Description   = Wendle Diver\r\n"
    "CabFiles = Diver.PPC300_4000.CAB,Diver.PPC300_2577.CAB,Diver.PPC300_10003.CAB\r\n\r\n";

TEST(DescriptorTest, ReadsTheFormsADescriptorComesIn) {
    struct Case {
        const char* what;
        std::string text;
        std::string component;
        std::string description;
        std::vector<std::string> cabs;
    };
    const std::vector<std::string> diverCabs = {"Diver.PPC300_4000.CAB", "Diver.PPC300_2577.CAB",
                                                "Diver.PPC300_10003.CAB"};
    const Case cases[] = {
        {"WJ.INI as shipped", kWjIni, "WJ", "Wendle Diver", diverCabs},
        {"LF line ends, no blanks around =",
         "[CEAppManager]\nVersion=1.0\nComponent=WJ\n[WJ]\nDescription=Wendle Diver\n"
         "CabFiles=a.cab,b.cab",
         "WJ",
         "Wendle Diver",
         {"a.cab", "b.cab"}},
        {"tabs, and names in another letter case",
         "[ceappmanager]\r\n\tcomponent\t=\tWj \r\n[wJ]\r\ncabfiles = one.CAB\r\n",
         "Wj",
         "",
         {"one.CAB"}},
        {"a byte-order mark, comments and blank lines",
         "\xEF\xBB\xBF; made by hand\n\n[CEAppManager]\n; the one component\nComponent = X\n"
         "[X]\nCabFiles = x.cab\n",
         "X",
         "",
         {"x.cab"}},
        {"quoted names with blanks around the commas",
         "[CEAppManager]\nComponent = X\n[X]\nCabFiles = \"a b.cab\" , c.cab\n",
         "X",
         "",
         {"a b.cab", "c.cab"}},
        {"the first of a repeated key counts",
         "[CEAppManager]\nComponent = X\nComponent = Y\n[X]\nCabFiles = x.cab\n"
         "CabFiles = y.cab\n",
         "X",
         "",
         {"x.cab"}},
        {"the component's keys may be spread over a repeated section",
         "[X]\nDescription = D\n[CEAppManager]\nComponent = X\n[X]\nCabFiles = x.cab\n",
         "X",
         "D",
         {"x.cab"}},
        {"no line end after the last line",
         "[CEAppManager]\r\nComponent = X\r\n[X]\r\nCabFiles = x.cab",
         "X",
         "",
         {"x.cab"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto descriptor = ParseDescriptor(c.text);
        EXPECT_EQ(descriptor.component, c.component);
        EXPECT_EQ(descriptor.description, c.description);
        EXPECT_EQ(descriptor.cabFiles, c.cabs);
    }
}

TEST(DescriptorTest, RefusesWhatIsNotADescriptorWithTheReason) {
    struct Case {
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"", "no [CEAppManager] section"},
        {"[WJ]\nCabFiles = a.cab\n", "no [CEAppManager] section"},
        {"[CEAppManager]\nVersion = 1.0\n[WJ]\nCabFiles = a.cab\n", "names no Component"},
        {"[CEAppManager]\nComponent =\n", "names no Component"},
        {"[CEAppManager]\nComponent = WJ\n", "no section [WJ]"},
        {"[CEAppManager]\nComponent = WJ\n[WJ]\nDescription = x\n", "names no CabFiles"},
        {"[CEAppManager]\nComponent = WJ\n[WJ]\nCabFiles =\n", "names no CabFiles"},
        {"[CEAppManager]\nComponent = WJ\n[WJ]\nCabFiles = a.cab,,b.cab\n", "an empty name"},
        {"[CEAppManager]\nComponent = WJ\n[WJ]\nCabFiles = ../a.cab\n", "not a plain file name"},
        {"[CEAppManager]\nComponent = WJ\n[WJ]\nCabFiles = C:\\a.cab\n", "not a plain file name"},
        {"[CEAppManager]\nComponent = WJ\n[WJ]\nCabFiles = ..\n", "not a plain file name"},
        {"[CEAppManager]\nVersion = 2.0\nComponent = WJ\n[WJ]\nCabFiles = a.cab\n",
         "format version is 2.0"},
        {"[CEAppManager]\nComponent = WJ\n[WJ\nCabFiles = a.cab\n", "line 3: a section name"},
        {"Component = WJ\n[CEAppManager]\n", "line 1: text before the first section"},
        {"[CEAppManager]\n= WJ\n", "line 2: a value without a key"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseDescriptor(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const DescriptorError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
}

TEST(IniFileTest, SplitsFieldsAtCommasOutsideQuotes) {
    struct Case {
        const char* value;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"a", {"a"}},
        {" a , b ", {"a", "b"}},
        {"\"HPC\",\"JUPITER\"", {"HPC", "JUPITER"}},
        {"\"a, b\", c", {"a, b", "c"}},
        {"\" padded \"", {" padded "}},
        {"a,,b,", {"a", "", "b", ""}},
        {"0, %CE17%", {"0", "%CE17%"}},
        {"say \"hi\" there", {"say \"hi\" there"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(appmgr::SplitFields(c.value), c.fields);
    }
}

TEST(IniFileTest, KeepsListLinesAndTakesAnEqualsInQuotesAsText) {
    const auto ini =
        appmgr::IniFile::Parse("[Files]\n\"a=b.exe\", 1, 0x2\nkey = \"x=y\"\n[Other]\n");
    ASSERT_EQ(ini.Sections().size(), 2u);
    const auto& entries = ini.Sections()[0].entries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].key, "");
    EXPECT_EQ(entries[0].value, "\"a=b.exe\", 1, 0x2");
    EXPECT_EQ(entries[0].line, 2);
    EXPECT_EQ(entries[1].key, "key");
    EXPECT_EQ(entries[1].value, "\"x=y\"");
    EXPECT_TRUE(ini.Sections()[1].entries.empty());
}

}  // namespace
