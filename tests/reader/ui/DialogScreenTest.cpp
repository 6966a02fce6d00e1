// The favourites and font screens as pixels, against reviewed golden images (GoldenScreen.h):
// the Favorites dialog, the Select font dialog, and one joke in the smallest and in the largest
// size.

#include "tests/reader/ui/FavoritesFontSupport.h"
#include "tests/reader/ui/GoldenScreen.h"

namespace readertest {
namespace {

const std::vector<std::string> kJokes = {
    "Why did the stylus go to the doctor?\nIt had a bad case of tap-itis.",
    "Two antennas met on a roof, fell in love and got married. The ceremony wasn't much, "
    "but the reception was excellent.",
};

TEST(DialogScreen, ScreensMatchTheirReviewedImages) {
    const struct {
        const char* name;
        std::optional<int> size;
        const char* script;
    } cases[] = {
        {"favorites-dialog", std::nullopt,
         "click 1002\nclick 1003\nclick 1001\nclick 1003\n"
         "click 1004\nclick 1002\n"},
        {"select-font-dialog", std::nullopt, "menu Font ...\n"},
        {"joke-font-8", 8, "click 1002\n"},
        {"joke-font-72", 72, "click 1002\n"},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kJokes);
        if (c.size)
            StoreFont(reader, std::nullopt, c.size);
        ExpectScreenMatchesGolden(reader, c.script, c.name);
    }
}

}  // namespace
}  // namespace readertest
