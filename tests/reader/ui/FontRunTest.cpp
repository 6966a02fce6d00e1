// The Select font dialog and the File menu's "Font ..." as their user meets them, in the built
// program driven by scripts: what the dialog shows, what OK and Cancel store, and the joke shown
// again in a changed font.

#include "tests/reader/ui/FavoritesFontSupport.h"

namespace readertest {
namespace {

const std::vector<std::string> kJokes = {"First joke.", "Second joke.", "Third joke."};

// The last state printed before the line that starts with marker ("" for the very last).
std::map<std::string, std::string> StateBefore(const std::string& out, const std::string& marker) {
    return LastState(marker.empty() ? out : out.substr(0, out.find(marker)));
}

TEST(SelectFont, TheDialogShowsTheSavedFontAndOkWithoutAChangeWritesNothing) {
    const struct {
        const char* what;
        std::optional<std::string> face;
        std::optional<int> size;
        const char* shownFace;
        const char* shownSize;
    } cases[] = {
        {"the defaults", std::nullopt, std::nullopt, "Arial", "10"},
        {"a saved face and size", "DejaVu Sans", 30, "DejaVu Sans", "30"},
        // The list is searched without regard to letter case.
        {"a saved face in other letters", "dejavu sans", 12, "DejaVu Sans", "12"},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kJokes);
        if (c.face || c.size)
            StoreFont(reader, c.face, c.size);
        const ChildResult r = reader.Run("menu Font ...\nstate\nok\n");
        ASSERT_EQ(r.status, 0) << c.what << ": " << r.err;
        const auto dialog = StateBefore(r.out, "window: Parlonda Diver");
        EXPECT_EQ(dialog.at("window"), "Select font") << c.what;
        EXPECT_EQ(dialog.at("face"), c.shownFace) << c.what;
        EXPECT_EQ(dialog.at("size"), c.shownSize) << c.what;
        EXPECT_EQ(dialog.count("number"), 0u) << c.what;
        EXPECT_EQ(LastState(r.out).at("window"), "Parlonda Diver") << c.what << ": closed";
        if (std::string(c.what) == "a saved face in other letters") {
            // The entry chosen is the family's own name, which differs: it is written.
            EXPECT_EQ(Setting(reader, "FaceName"), "\"DejaVu Sans\"") << c.what;
            continue;
        }
        EXPECT_EQ(Setting(reader, "FaceName"),
                  c.face ? std::optional<std::string>("\"" + *c.face + "\"") : std::nullopt)
            << c.what;
        EXPECT_EQ(Setting(reader, "FontSize"),
                  c.size ? std::optional<std::string>(Dword(*c.size)) : std::nullopt)
            << c.what;
    }
}

TEST(SelectFont, OkStoresTheFaceAndTheSizeTogetherWithinEightToSeventyTwo) {
    const struct {
        const char* what;
        const char* script;  // in the dialog, before ok
        std::optional<std::string> message;
        std::optional<std::string> face;  // stored after ok, or nothing
        std::optional<int> size;
    } cases[] = {
        {"only the size", "set 1012 12\n", std::nullopt, "\"Arial\"", 12},
        {"only the face", "select 1010 DejaVu Serif\n", std::nullopt, "\"DejaVu Serif\"", 10},
        {"both", "select 1010 DejaVu Sans\nset 1012 30\n", std::nullopt, "\"DejaVu Sans\"", 30},
        {"the smallest size", "set 1012 8\n", std::nullopt, "\"Arial\"", 8},
        {"the largest size", "set 1012 72\n", std::nullopt, "\"Arial\"", 72},
        {"the size typed", "click 1012\nkey END\nkey BACK\nkey BACK\ntype 16\n", std::nullopt,
         "\"Arial\"", 16},
        {"below the range", "set 1012 7\n", "Please enter an integer between 8 and 72.",
         std::nullopt, std::nullopt},
        {"above the range", "set 1012 73\n", "Please enter an integer between 8 and 72.",
         std::nullopt, std::nullopt},
        {"an empty field", "set 1012 \n", "Please enter an integer.", std::nullopt, std::nullopt},
        {"a changed face with a bad size", "select 1010 DejaVu Serif\nset 1012 100\n",
         "Please enter an integer between 8 and 72.", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kJokes);
        const ChildResult r = reader.Run(std::string("menu Font ...\n") + c.script + "ok\nstate\n");
        ASSERT_EQ(r.status, 0) << c.what << ": " << r.err;
        if (c.message) {
            EXPECT_EQ(CountOf(r.out, "message: " + *c.message + "\n"), 1) << c.what << r.out;
            EXPECT_EQ(LastState(r.out).at("window"), "Select font") << c.what << ": kept open";
        } else {
            EXPECT_EQ(CountOf(r.out, "message: "), 0) << c.what << r.out;
            EXPECT_EQ(LastState(r.out).at("window"), "Parlonda Diver") << c.what;
        }
        EXPECT_EQ(Setting(reader, "FaceName"), c.face) << c.what;
        EXPECT_EQ(Setting(reader, "FontSize"),
                  c.size ? std::optional<std::string>(Dword(*c.size)) : std::nullopt)
            << c.what;
    }
}

TEST(SelectFont, CancelAndAMissingFaceWriteNothing) {
    const struct {
        const char* what;
        std::optional<std::string> face;
        const char* script;
        const char* shownFace;
    } cases[] = {
        {"cancel after changing both", std::nullopt,
         "select 1010 DejaVu Serif\nset 1012 20\nstate\ncancel\n", "DejaVu Serif"},
        {"escape after changing the size", std::nullopt, "set 1012 20\nstate\nkey ESCAPE\n",
         "Arial"},
        // Nothing selected: a changed size alone is not stored, and OK still closes.
        {"a saved face the device lacks", "No Such Face", "set 1012 20\nstate\nok\n", ""},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kJokes);
        if (c.face)
            StoreFont(reader, c.face, std::nullopt);
        const ChildResult r = reader.Run(std::string("menu Font ...\n") + c.script);
        ASSERT_EQ(r.status, 0) << c.what << ": " << r.err;
        const auto dialog = StateBefore(r.out, "window: Parlonda Diver");
        EXPECT_EQ(dialog.at("face"), c.shownFace) << c.what;
        EXPECT_EQ(LastState(r.out).at("window"), "Parlonda Diver") << c.what << ": closed";
        EXPECT_EQ(Setting(reader, "FaceName"),
                  c.face ? std::optional<std::string>("\"" + *c.face + "\"") : std::nullopt)
            << c.what;
        EXPECT_EQ(Setting(reader, "FontSize"), std::nullopt) << c.what;
    }
}

TEST(SelectFont, TheSpinStaysWithinEightToSeventyTwoAndWritesTheField) {
    const struct {
        const char* what;
        int saved;
        const char* keys;
        const char* shown;
    } cases[] = {
        {"up from 10", 10, "key UP\n", "11"},
        {"down from 10", 10, "key DOWN\nkey DOWN\n", "8"},
        {"down at 8", 8, "key DOWN\n", "8"},
        {"up at 72", 72, "key UP\n", "72"},
        {"up from 71, twice", 71, "key UP\nkey UP\n", "72"},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kJokes);
        StoreFont(reader, std::nullopt, c.saved);
        const ChildResult r =
            reader.Run(std::string("menu Font ...\nclick 1012\n") + c.keys + "state\nok\n");
        ASSERT_EQ(r.status, 0) << c.what << ": " << r.err;
        EXPECT_EQ(StateBefore(r.out, "window: Parlonda Diver").at("size"), c.shown) << c.what;
        const bool changed = std::to_string(c.saved) != c.shown;
        EXPECT_EQ(Setting(reader, "FontSize"), Dword(changed ? std::stoi(c.shown) : c.saved))
            << c.what;
    }
}

TEST(SelectFont, TheMenuItemWorksDuringNumberEntry) {
    ReaderFolder reader(kJokes);
    const ChildResult r = reader.Run("click 1002\nclick 1005\nmenu Font ...\nstate\ncancel\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(StateBefore(r.out, "window: Parlonda Diver").at("window"), "Select font");
}

}  // namespace
}  // namespace readertest
