// The favourites as their user meets them: Add to Favorites and View Favorites on the form, and
// the Favorites dialog's Previous, Next and Delete, in the built program driven by scripts.
// Each test reads the states the program printed and what it left in the favourites file.

#include "tests/reader/ui/FavoritesFontSupport.h"

namespace readertest {
namespace {

const std::vector<std::string> kFiveJokes = {
    "Joke one.\nIts punch line.", "Joke two.", "Joke three.", "Joke four.", "Joke five.",
};

// Adds jokes 1 to n of the form to the favourites, one after the other, from joke 1 on.
std::string AddFirst(int n) {
    std::string script;
    for (int i = 0; i < n; ++i)
        script += "click 1003\nclick 1002\n";
    return script;
}

fs::path FavoritesFile(const ReaderFolder& reader) {
    return reader.Path() / "jokepad.fav";
}

TEST(Favorites, TheDialogShowsDeletesAndKeepsItsPlace) {
    const struct {
        const char* what;
        int favorites;
        const char* script;  // in the dialog; each "state" is one expected entry
        std::vector<std::string> expected;
    } cases[] = {
        {"one favourite: Previous and Next keep it, Delete empties the view",
         1,
         "state\nclick 1001\nstate\nclick 1002\nstate\nclick 1007\nstate\n",
         {"Favorites 1/1 Joke one.", "Favorites 1/1 Joke one.", "Favorites 1/1 Joke one.",
          "Favorites - "}},
        {"the emptied list: each button shows nothing and removes nothing",
         1,
         "click 1007\nclick 1007\nstate\nclick 1001\nstate\nclick 1002\nstate\n",
         {"Favorites - ", "Favorites - ", "Favorites - "}},
        {"Previous at the first changes nothing",
         5,
         "click 1001\nstate\n",
         {"Favorites 1/5 Joke one."}},
        {"Next up to the last and past it",
         5,
         "click 1002\nclick 1002\nclick 1002\nclick 1002\nstate\nclick 1002\nstate\n",
         {"Favorites 5/5 Joke five.", "Favorites 5/5 Joke five."}},
        {"deleting 3 of 5 shows the former fourth",
         5,
         "click 1002\nclick 1002\nclick 1007\nstate\n",
         {"Favorites 3/4 Joke four."}},
        {"deleting 5 of 5 shows the former fourth",
         5,
         "click 1002\nclick 1002\nclick 1002\nclick 1002\nclick 1007\nstate\n",
         {"Favorites 4/4 Joke four."}},
        {"deleting 1 of 5 shows the former second",
         5,
         "click 1007\nstate\nclick 1001\nstate\n",
         {"Favorites 1/4 Joke two.", "Favorites 1/4 Joke two."}},
        {"deleting all from the end",
         3,
         "click 1002\nclick 1002\nclick 1007\nclick 1007\nstate\nclick 1007\nstate\n",
         {"Favorites 1/1 Joke one.", "Favorites - "}},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kFiveJokes);
        const ChildResult r =
            reader.Run(AddFirst(c.favorites) + "click 1004\n" + c.script + "cancel\n");
        ASSERT_EQ(r.status, 0) << c.what << ": " << r.err;
        const auto states = States(r.out);
        ASSERT_EQ(states.size(), c.expected.size() + 1) << c.what << ":\n" << r.out;
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(Brief(states[i]), c.expected[i]) << c.what << ", state " << i + 1;
        // The form shows the joke and the counter it showed before the dialog.
        const std::string form =
            "Parlonda Diver " + std::to_string(std::min(c.favorites + 1, 5)) + "/5";
        EXPECT_EQ(Brief(states.back()).substr(0, form.size()), form) << c.what;
    }
}

TEST(Favorites, OpeningStartsAtTheFirstAndShowsTheListAsLeft) {
    ReaderFolder reader(kFiveJokes);
    // The form on joke 3 (jokes 1 to 3 added, then back one); the dialog moved on, a favourite
    // deleted, closed; then opened again in the same run, and in the next run.
    const ChildResult first = reader.Run(AddFirst(3) +
                                         "click 1001\nclick 1004\nstate\nclick 1002\nclick 1007\n"
                                         "state\nok\nstate\nclick 1004\nstate\ncancel\n");
    ASSERT_EQ(first.status, 0) << first.err;
    const auto states = States(first.out);
    ASSERT_EQ(states.size(), 5u) << first.out;
    EXPECT_EQ(Brief(states[0]), "Favorites 1/3 Joke one.");
    EXPECT_EQ(Brief(states[1]), "Favorites 2/2 Joke three.");
    EXPECT_EQ(Brief(states[2]), "Parlonda Diver 3/5 Joke three.") << "the form is left alone";
    EXPECT_EQ(Brief(states[3]), "Favorites 1/2 Joke one.");
    EXPECT_EQ(reader.StoredIndex(), 2);

    const ChildResult second = reader.Run("click 1004\nstate\nclick 1002\nstate\ncancel\n");
    ASSERT_EQ(second.status, 0) << second.err;
    const auto again = States(second.out);
    ASSERT_EQ(again.size(), 3u) << second.out;
    EXPECT_EQ(Brief(again[0]), "Favorites 1/2 Joke one.");
    EXPECT_EQ(Brief(again[1]), "Favorites 2/2 Joke three.");
}

TEST(Favorites, AddingKeepsEveryCopyInTheOrderAdded) {
    ReaderFolder reader(kFiveJokes);
    // Joke 2 twice, then joke 1: the dialog opens on the first added, not the last.
    const ChildResult r = reader.Run(
        "click 1002\nclick 1003\nclick 1003\nclick 1001\nclick 1003\nclick 1004\nstate\n"
        "click 1002\nstate\nclick 1002\nstate\ncancel\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto states = States(r.out);
    ASSERT_EQ(states.size(), 4u) << r.out;
    EXPECT_EQ(Brief(states[0]), "Favorites 1/3 Joke two.");
    EXPECT_EQ(Brief(states[1]), "Favorites 2/3 Joke two.");
    EXPECT_EQ(Brief(states[2]), "Favorites 3/3 Joke one.");
    EXPECT_EQ(Brief(states[3]), "Parlonda Diver 1/5 Joke one.");
    // The file holds the three, plainly counted, and brings them back.
    const std::string saved = ReadText(FavoritesFile(reader));
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(saved.substr(0, 4), std::string("\x03\x00\x00\x00", 4));
    const ChildResult next = reader.Run("click 1004\nclick 1002\nclick 1002\nstate\ncancel\n");
    EXPECT_EQ(Brief(States(next.out).at(0)), "Favorites 3/3 Joke one.");
}

TEST(Favorites, WithoutFavoritesViewSaysSoAndOpensNothing) {
    const struct {
        const char* what;
        std::vector<std::string> jokes;
        const char* script;
        const char* counter;
    } cases[] = {
        {"none added", kFiveJokes, "click 1002\nclick 1004\nstate\n", "2/5"},
        {"all deleted in this run", kFiveJokes,
         "click 1003\nclick 1004\nclick 1007\ncancel\nclick 1004\nstate\n", "1/5"},
        // No joke is on screen, so there is nothing to add.
        {"no jokes to add", {}, "click 1003\nclick 1003\nclick 1004\nstate\n", "0/0"},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(c.jokes);
        const ChildResult r = reader.Run(c.script);
        EXPECT_EQ(r.status, 0) << c.what << ": " << r.err;
        const std::string message = "message: No favorites defined. \n";
        EXPECT_EQ(CountOf(r.out, message), 1) << c.what << ":\n" << r.out;
        const auto states = States(r.out);
        ASSERT_EQ(states.size(), 2u) << c.what << ":\n" << r.out;
        for (const auto& state : states)
            EXPECT_EQ(state.at("window") + " " + state.at("counter"),
                      std::string("Parlonda Diver ") + c.counter)
                << c.what;
        EXPECT_LT(r.out.find(message), r.out.find("window: ")) << c.what << ": the message first";
        EXPECT_FALSE(fs::exists(FavoritesFile(reader))) << c.what;
    }
}

}  // namespace
}  // namespace readertest
