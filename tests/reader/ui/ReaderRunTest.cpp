// The reader as its user meets it: the built program, driven headless by a script on standard
// input, with jokes and settings of the test's own. Each test reads what the program printed
// (its state, its messages), its exit status and what it stored.

#include <cstdlib>

#include "platform/ui/SoftInputPanel.h"
#include "tests/reader/ui/ReaderTestSupport.h"

namespace readertest {
namespace {

const std::vector<std::string> kThreeJokes = {
    "Q&A: why did the chicken cross the road?\nTo get to the other side.",
    "Second joke, first line.\nIts second line.",
    "Third & last joke.",
};

std::string FirstLine(const std::string& joke) {
    return joke.substr(0, joke.find('\n'));
}

TEST(ReaderRun, TheFirstRunShowsTheFirstJokeAndStoresItsIndex) {
    ReaderFolder reader(kThreeJokes);
    const ChildResult r = reader.Run("state\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // The state asked for, and the one printed when the script has ended.
    const std::string state =
        "window: Parlonda Diver\ncounter: 1/3\ntext: " + FirstLine(kThreeJokes[0]) + "\n";
    EXPECT_EQ(r.out, state + state);
    EXPECT_EQ(reader.StoredIndex(), 0) << "under " << reader.SetKey();
}

TEST(ReaderRun, NavigationIsHeldAtTheEndsAndEveryShowingIsStored) {
    const struct {
        const char* what;
        std::optional<std::uint32_t> stored;
        const char* script;
        const char* counter;
        int index;
    } cases[] = {
        {"Previous on the first joke", std::nullopt, "click 1001\n", "1/3", 0},
        {"Previous from the second", 1, "click 1001\n", "1/3", 0},
        {"Next", std::nullopt, "click 1002\n", "2/3", 1},
        {"Next on the last joke", 2, "click 1002\nclick 1002\n", "3/3", 2},
        {"Next up to the last and past it", std::nullopt, "click 1002\nclick 1002\nclick 1002\n",
         "3/3", 2},
        {"the stored index is where it starts", 1, "", "2/3", 1},
        {"a stored index past the list", 3, "", "1/3", 0},
        {"a stored index far past the list", 250, "click 1002\n", "2/3", 1},
        {"a negative stored index", 0xFFFFFFFFu, "", "1/3", 0},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kThreeJokes);
        if (c.stored)
            reader.StoreIndex(*c.stored);
        const ChildResult r = reader.Run(c.script);
        EXPECT_EQ(r.status, 0) << c.what << ": " << r.err;
        const auto state = LastState(r.out);
        EXPECT_EQ(state.at("counter"), c.counter) << c.what;
        EXPECT_EQ(state.at("text"), FirstLine(kThreeJokes[static_cast<std::size_t>(c.index)]))
            << c.what;
        EXPECT_EQ(reader.StoredIndex(), c.index) << c.what;
    }
}

TEST(ReaderRun, TheLastJokeIsKeptAcrossRuns) {
    ReaderFolder reader(kThreeJokes);
    EXPECT_EQ(LastState(reader.Run("click 1002\nclick 1002\n").out).at("counter"), "3/3");
    EXPECT_EQ(LastState(reader.Run("").out).at("counter"), "3/3");
    EXPECT_EQ(LastState(reader.Run("click 1001\n").out).at("counter"), "2/3");
    EXPECT_EQ(LastState(reader.Run("").out).at("counter"), "2/3");
}

TEST(ReaderRun, WithOneJokeEveryCommandShowsIt) {
    ReaderFolder reader({"The only joke."});
    const ChildResult r = reader.Run(
        "click 1001\nstate\nclick 1002\nstate\nclick 1006\nstate\nclick 1006\nstate\n"
        "click 1005\nkey END\nkey BACK\ntype 7\nkey RETURN\nstate\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(CountOf(r.out, "counter: 1/1\ntext: The only joke.\n"), 6) << r.out;
    EXPECT_EQ(CountOf(r.out, "counter:"), 6) << r.out;
    EXPECT_EQ(reader.StoredIndex(), 0);
}

TEST(ReaderRun, RandomGivesTheSameJokesInEveryRun) {
    std::vector<std::string> jokes;
    for (int i = 1; i <= 50; ++i)
        jokes.push_back("Joke number " + std::to_string(i) + ".");
    ReaderFolder reader(jokes);
    const std::string script =
        "click 1006\nstate\nclick 1006\nstate\nclick 1006\nstate\n"
        "click 1006\nstate\nclick 1006\nstate\n";
    const ChildResult first = reader.Run(script);
    const ChildResult second = reader.Run(script);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    // The C library's generator seeded with 0, taken modulo the count.
    std::srand(0);
    std::string expected;
    for (int i = 0; i < 5; ++i) {
        const int index = std::rand() % 50;
        expected += "window: Parlonda Diver\ncounter: " + std::to_string(index + 1) +
                    "/50\ntext: " + jokes[static_cast<std::size_t>(index)] + "\n";
    }
    EXPECT_EQ(first.out.substr(0, expected.size()), expected);
}

TEST(ReaderRun, NumberEntryGoesToTheNumberOrSaysWhyNot) {
    const struct {
        const char* typed;
        const char* message;  // nullptr: accepted
        const char* counter;
    } cases[] = {
        {"2", nullptr, "2/3"},
        {"3", nullptr, "3/3"},
        {"5", nullptr, "3/3"},
        {"100000", nullptr, "3/3"},
        {" 2 ", nullptr, "2/3"},
        {"0", "Please enter an integer between 1 and 100000.", nullptr},
        {"100001", "Please enter an integer between 1 and 100000.", nullptr},
        {"-1", "Please enter an integer between 1 and 100000.", nullptr},
        {"", "Please enter an integer.", nullptr},
        {"abc", "Please enter an integer.", nullptr},
        {"2x", "Please enter an integer.", nullptr},
        {"99999999999", "Please enter an integer.", nullptr},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kThreeJokes);
        // The field holds 1 when it opens; the user clears it and types.
        std::string script = "click 1005\nkey END\nkey BACK\n";
        if (*c.typed != '\0')
            script += std::string("type ") + c.typed + "\n";
        script += "key RETURN\n";
        const ChildResult r = reader.Run(script);
        EXPECT_EQ(r.status, 0) << c.typed << ": " << r.err;
        const auto state = LastState(r.out);
        if (c.message == nullptr) {
            EXPECT_EQ(r.out.find("message:"), std::string::npos) << c.typed;
            EXPECT_EQ(state.count("number"), 0u) << c.typed << ": number entry closed";
            EXPECT_EQ(state.at("counter"), c.counter) << c.typed;
            continue;
        }
        EXPECT_EQ(CountOf(r.out, std::string("message: ") + c.message + "\n"), 1)
            << c.typed << ": " << r.out;
        EXPECT_EQ(state.count("counter"), 0u) << c.typed << ": number entry stays open";
        EXPECT_EQ(state.count("number"), 1u) << c.typed;
        EXPECT_EQ(state.at("text"), FirstLine(kThreeJokes[0])) << c.typed << ": joke unchanged";
        EXPECT_EQ(reader.StoredIndex(), 0) << c.typed;
    }
}

TEST(ReaderRun, TheNumberFieldShowsOneThenTheLastNumberConfirmed) {
    ReaderFolder reader(kThreeJokes);
    const ChildResult r = reader.Run(
        "click 1005\nstate\n"
        "key END\nkey BACK\ntype 2\nkey RETURN\n"
        "click 1002\nclick 1001\nclick 1001\n"
        "click 1005\nstate\n");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::size_t second = r.out.find("window:", r.out.find("number: 1\n"));
    EXPECT_NE(r.out.find("number: 1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("number: 2\n", second), std::string::npos)
        << "the number confirmed last, not the joke on screen (1):\n"
        << r.out;
}

TEST(ReaderRun, ATapOutsideTheFieldAndSpinEndsNumberEntry) {
    const CPoint key = platform::SipKeyRect('5').CenterPoint();
    const struct {
        std::string what;
        std::string tap;
        bool stillOpen;
    } cases[] = {
        {"the number field", "click 1012", true},
        {"the spin", "click 1011", true},
        // The keyboard is a window of its own above the form; it types into the field.
        {"a key of the soft keyboard", "tap " + std::to_string(key.x) + " " + std::to_string(key.y),
         true},
        {"the form's background where the counter was", "tap 200 36", false},
        {"the field's row, right of the spin", "tap 120 27", false},
        {"the joke", "click 1000", false},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kThreeJokes);
        const ChildResult r = reader.Run("click 1005\n" + c.tap + "\n");
        EXPECT_EQ(r.status, 0) << c.what << ": " << r.err;
        const auto state = LastState(r.out);
        EXPECT_EQ(state.count("number"), c.stillOpen ? 1u : 0u) << c.what << ":\n" << r.out;
        EXPECT_EQ(state.count("counter"), c.stillOpen ? 0u : 1u) << c.what;
        if (!c.stillOpen) {
            EXPECT_EQ(state.at("counter"), "1/3") << c.what << ": the joke did not change";
        } else if (c.what == "a key of the soft keyboard") {
            EXPECT_NE(state.at("number").find('5'), std::string::npos) << "the key typed";
        }
    }
}

TEST(ReaderRun, WithoutTheJokesDataFileItSaysSoOnceAndEnds) {
    ReaderFolder reader(kThreeJokes);
    fs::remove(reader.DataFile());
    const ChildResult r = reader.Run("click 1002\nstate\n");
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(r.out, "message: Cannot open jokes data file.\n") << "no window was shown";
    EXPECT_EQ(r.err, "");
    EXPECT_FALSE(reader.StoredIndex());
}

TEST(ReaderRun, AnEmptyJokesDataFileShowsNothingAndEveryCommandDoesNothing) {
    ReaderFolder reader({});
    reader.StoreIndex(1);  // from a file that had jokes: kept for it
    const ChildResult r = reader.Run(
        "state\nclick 1001\nclick 1002\nclick 1006\nclick 1005\nkey RETURN\nclick 1005\nstate\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string state = "window: Parlonda Diver\ncounter: 0/0\ntext: \n";
    EXPECT_EQ(r.out, state + state + state);
    EXPECT_EQ(reader.StoredIndex(), 1);
}

TEST(ReaderRun, TheShellsWaysOutAllEndTheProgramNormally) {
    const struct {
        const char* how;
        const char* script;
        bool finalState;  // the script ran to its end
    } cases[] = {
        {"File > Exit", "click 1002\nmenu Exit\nclick 1002\n", false},
        {"Ctrl+Q", "click 1002\nkey ctrl+q\nclick 1002\n", false},
        {"Ctrl+Q in number entry", "click 1002\nclick 1005\nkey ctrl+q\nclick 1002\n", false},
        {"the script's end", "click 1002\n", true},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kThreeJokes);
        const ChildResult r = reader.Run(c.script);
        EXPECT_EQ(r.status, 0) << c.how << ": " << r.err;
        EXPECT_EQ(r.err, "") << c.how;
        EXPECT_EQ(r.out.empty(), !c.finalState) << c.how << ":\n" << r.out;
        EXPECT_EQ(reader.StoredIndex(), 1) << c.how;
    }
}

TEST(ReaderRun, TheAboutDialogClosesThroughItsCaptionOkButton) {
    ReaderFolder reader(kThreeJokes);
    const ChildResult r = reader.Run(
        "menu About Parlonda Diver...\nstate\nok\nstate\nmenu About Parlonda Diver...\n"
        "key ESCAPE\nclick 1002\n");
    EXPECT_EQ(r.status, 0) << r.err;
    // No counter and no joke text while the dialog is up: it has neither.
    EXPECT_EQ(r.out.rfind("window: About Parlonda Diver\n"
                          "window: Parlonda Diver\ncounter: 1/3\ntext: " +
                              FirstLine(kThreeJokes[0]) + "\n",
                          0),
              0u)
        << r.out;
    EXPECT_EQ(LastState(r.out).at("counter"), "2/3");
}

TEST(ReaderRun, AFormWithoutNumberEntryIgnoresTheCounterTap) {
    ReaderFolder reader(kThreeJokes, "WJ.exe", "Wendle");
    const ChildResult r = reader.Run("click 1005\nkey RETURN\nclick 1005\nclick 1002\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "window: Wendle Diver\ncounter: 2/3\ntext: " + FirstLine(kThreeJokes[1]) + "\n");
    EXPECT_EQ(reader.StoredIndex(), 1);
}

TEST(ReaderRun, UsageMistakesAndScriptMistakesStopBeforeAnyWindow) {
    const struct {
        std::vector<std::string> args;
        std::string script;
        const char* says;
    } cases[] = {
        {{"--bogus"}, "", "jokepad: unknown option '--bogus'"},
        {{"--scale", "9"}, "", "jokepad: --scale takes a whole number from 1 to 8, not '9'"},
        {{"--script"}, "", "jokepad: --script needs a value"},
        {{"joke.txt"}, "", "jokepad: unexpected argument 'joke.txt'"},
        {{"--headless", "--script", "-"},
         "state\nfly away\n",
         "jokepad: script line 2: unknown command 'fly'"},
        {{"--headless", "--script", "missing.txt"},
         "",
         "jokepad: cannot read the script missing.txt"},
    };
    for (const auto& c : cases) {
        ReaderFolder reader(kThreeJokes);
        const ChildResult r = reader.Run(c.script, c.args);
        EXPECT_NE(r.status, 0) << c.says;
        EXPECT_EQ(r.err.rfind(c.says, 0), 0u) << r.err;
        EXPECT_EQ(r.out, "") << c.says;
        EXPECT_FALSE(reader.StoredIndex()) << c.says << ": the program did not start";
    }
}

TEST(ReaderRun, ACommandThatFailsEndsTheProgramNormallyWithStatusTwo) {
    ReaderFolder reader(kThreeJokes);
    const ChildResult r = reader.Run("click 1002\nclick 1012\nclick 1002\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "jokepad: script line 2: click 1012: control 1012 is hidden\n");
    EXPECT_EQ(LastState(r.out).at("counter"), "2/3");
    EXPECT_EQ(reader.StoredIndex(), 1);
}

TEST(ReaderRun, HelpAndVersion) {
    ReaderFolder reader(kThreeJokes);
    const ChildResult help = reader.Run("", {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: jokepad [--headless]", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("select ID TEXT"), std::string::npos);
    const ChildResult version = reader.Run("", {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "jokepad 1.0.0.1\n");
}

}  // namespace
}  // namespace readertest
