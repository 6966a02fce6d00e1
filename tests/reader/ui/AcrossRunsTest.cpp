// The favourites and the font across runs of the built program, as a user keeps them: chosen
// in one run, pruned in the next, still there in the third, and the favourites file gone once
// the last favourite is.

#include "tests/reader/ui/FavoritesFontSupport.h"

namespace readertest {
namespace {

const std::vector<std::string> kJokes = {"Alpha joke.", "Bravo joke.", "Charlie joke.",
                                         "Delta joke."};

TEST(AcrossRuns, FavoritesAndTheFontLastUntilTheLastFavoriteIsDeleted) {
    ReaderFolder reader(kJokes);
    const fs::path favorites = reader.Path() / "jokepad.fav";

    // 1: three favourites (Alpha, Charlie, Delta), and a new face and size.
    const ChildResult first = reader.Run(
        "click 1003\nclick 1002\nclick 1002\nclick 1003\nclick 1002\nclick 1003\n"
        "menu Font ...\nselect 1010 DejaVu Serif\nset 1012 14\nok\nstate\n");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(Brief(States(first.out).at(0)), "Parlonda Diver 4/4 Delta joke.")
        << "the same joke, shown again in the new font";
    EXPECT_TRUE(fs::exists(favorites));
    EXPECT_EQ(Setting(reader, "FaceName"), "\"DejaVu Serif\"");
    EXPECT_EQ(Setting(reader, "FontSize"), Dword(14));

    // 2: Charlie deleted.
    const ChildResult second = reader.Run("click 1004\nclick 1002\nclick 1007\nstate\nok\n");
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(Brief(States(second.out).at(0)), "Favorites 2/2 Delta joke.");

    // 3: Alpha and Delta, the font and the joke where the user left them.
    const ChildResult third = reader.Run(
        "state\nclick 1004\nstate\nclick 1002\nstate\ncancel\nmenu Font ...\nstate\ncancel\n");
    ASSERT_EQ(third.status, 0) << third.err;
    const auto states = States(third.out);
    ASSERT_GE(states.size(), 4u) << third.out;
    EXPECT_EQ(Brief(states[0]), "Parlonda Diver 4/4 Delta joke.");
    EXPECT_EQ(Brief(states[1]), "Favorites 1/2 Alpha joke.");
    EXPECT_EQ(Brief(states[2]), "Favorites 2/2 Delta joke.");
    EXPECT_EQ(states[3].at("face"), "DejaVu Serif");
    EXPECT_EQ(states[3].at("size"), "14");

    // 4: the last two deleted; the file goes, and the next run has none.
    const ChildResult fourth = reader.Run("click 1004\nclick 1007\nclick 1007\nstate\nok\n");
    ASSERT_EQ(fourth.status, 0) << fourth.err;
    EXPECT_EQ(Brief(States(fourth.out).at(0)), "Favorites - ");
    EXPECT_FALSE(fs::exists(favorites));
    const ChildResult fifth = reader.Run("click 1004\n");
    EXPECT_EQ(fifth.out.substr(0, fifth.out.find('\n') + 1), "message: No favorites defined. \n");
    EXPECT_EQ(fifth.err, "");
}

}  // namespace
}  // namespace readertest
