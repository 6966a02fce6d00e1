// The favourites and font screens as pixels, against reviewed golden images: the Favorites
// dialog, the Select font dialog, and one joke in the smallest and in the largest size. A
// golden that does not match leaves <name>_err.png beside it; JOKEPAD_UPDATE_REFERENCES=1 makes
// a missing one, to be looked at before it is committed.

#include "platform/display/ImageCompare.h"
#include "platform/display/PngWriter.h"
#include "tests/reader/ui/FavoritesFontSupport.h"

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
        const fs::path shot = reader.Path() / "shot.png";
        const ChildResult r = reader.Run(std::string(c.script) + "shot " + shot.string() + "\n");
        ASSERT_EQ(r.status, 0) << c.name << ": " << r.err;
        platform::Image image;
        std::string error;
        ASSERT_TRUE(platform::ReadPng(shot.string(), &image, &error)) << c.name << ": " << error;
        std::string message;
        EXPECT_TRUE(platform::CompareWithReference(
            image, std::string(JOKEPAD_TEST_DATA) + "/golden/" + c.name + ".png",
            platform::ReferenceCompareOptions::FromEnvironment(), &message))
            << c.name << ": " << message;
    }
}

}  // namespace
}  // namespace readertest
