// The whole road as a user takes it: jokesetup hands its payload to the application manager
// stand-in found through the registry, the manager installs the Wendle Diver edition onto an
// emulated device, and the reader installed there runs and reads the jokes installed beside it.
// Everything happens in a scratch folder: the device, the registry and the temporary folder.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/platform/desktop/Scratch.h"
#include "tests/platform/display/XvfbServer.h"

namespace {

const std::string kBin = JOKEPAD_BIN_DIR;

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct Outcome {
    int status = -1;
    std::string out, err;
};

// Runs a shell command line; its exit status and what it printed.
Outcome RunCommand(const std::string& command, const std::string& outputFolder) {
    const std::string out = outputFolder + "/stdout", err = outputFolder + "/stderr";
    const int status = std::system((command + " >" + Quote(out) + " 2>" + Quote(err)).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1000 - status, scratch::ReadFile(out),
            scratch::ReadFile(err)};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// The lines of a state report that start with key ("window: ", "counter: ", ...).
std::vector<std::string> Values(const std::string& output, const std::string& key) {
    std::vector<std::string> values;
    for (const std::string& line : Lines(output))
        if (line.starts_with(key))
            values.push_back(line.substr(key.size()));
    return values;
}

class Road : public ::testing::Test {
protected:
    Road()
        : m_device(m_root / "device"),
          m_temp(m_root / "temp"),
          m_output(m_root / "output"),
          m_tmpdir("TMPDIR", m_temp),
          m_registry("JOKEPAD_REGISTRY", m_root / "registry"),
          m_deviceEnv("JOKEPAD_DEVICE", m_device) {
        for (const std::string& dir : {m_temp, m_output})
            EXPECT_EQ(::mkdir(dir.c_str(), 0700), 0) << dir;
    }

    Outcome Command(const std::string& line) const { return RunCommand(line, m_output); }

    // The reader at path, headless, running the script's lines.
    Outcome Reader(const std::string& path, const std::string& script) const {
        const std::string file = m_output + "/script";
        scratch::WriteFile(file, script);
        return Command(Quote(path) + " --headless --script " + Quote(file));
    }

    // Joke n (one-based) of the build's jokes data file, as jokepack shows it.
    std::string BuiltJoke(int n) const {
        const Outcome run = Command(Quote(kBin + "/jokepack") + " show " +
                                    Quote(JOKEPAD_DATA_FILE) + " " + std::to_string(n));
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    }
    int BuiltJokeCount() const {
        const Outcome run =
            Command(Quote(kBin + "/jokepack") + " count " + Quote(JOKEPAD_DATA_FILE));
        EXPECT_EQ(run.status, 0) << run.err;
        return std::atoi(run.out.c_str());
    }

    scratch::Folder m_root;
    std::string m_device, m_temp, m_output;
    scratch::ScopedEnv m_tmpdir, m_registry, m_deviceEnv;
};

std::string FirstLine(const std::string& text) {
    const auto lines = Lines(text);
    return lines.empty() ? std::string() : lines.front();
}

TEST_F(Road, JokesetupInstallsTheEditionThatReadsTheJokesBesideIt) {
    // The manager is found through the registry, as jokesetup looks for it.
    Outcome run = Command(Quote(kBin + "/appmgr-register") + " " + Quote(kBin));
    ASSERT_EQ(run.status, 0) << run.err;

    run = Command(Quote(kBin + "/jokesetup"));
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.err, "");
    const std::string installedDir = m_device + "/Program Files/Wendle Diver";
    EXPECT_NE(run.out.find("installed \\Program Files\\Wendle Diver\\WJ.exe"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("installed \\Windows\\Start Menu\\Wendle Diver.lnk"), std::string::npos)
        << run.out;
    // The data file lies under the device's lower-case name, and is the build's.
    ASSERT_TRUE(scratch::Exists(installedDir + "/wj.dat"));
    EXPECT_FALSE(scratch::Exists(installedDir + "/WJ.dat"));
    EXPECT_TRUE(scratch::ReadFile(installedDir + "/wj.dat") ==
                scratch::ReadFile(JOKEPAD_DATA_FILE));
    // The installer cleaned up after the manager.
    EXPECT_FALSE(scratch::Exists(m_temp + "/DA"));

    // WJ.exe looks for WJ.dat; the device's file system, ignoring letter case, finds wj.dat.
    // A tap on the counter does nothing: the edition's form has no number entry.
    run = Reader(installedDir + "/WJ.exe", "state\nclick 1002\nstate\nclick 1005\nstate\n");
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const int count = BuiltJokeCount();
    ASSERT_GT(count, 1);
    const auto windows = Values(run.out, "window: ");
    ASSERT_FALSE(windows.empty()) << run.out;
    EXPECT_EQ(windows.front(), "Wendle Diver");
    const auto counters = Values(run.out, "counter: ");
    const auto texts = Values(run.out, "text: ");
    ASSERT_GE(counters.size(), 3u) << run.out;
    ASSERT_GE(texts.size(), 2u) << run.out;
    EXPECT_EQ(counters[0], "1/" + std::to_string(count));
    EXPECT_EQ(texts[0], FirstLine(BuiltJoke(1)));
    EXPECT_EQ(counters[1], "2/" + std::to_string(count));
    EXPECT_EQ(texts[1], FirstLine(BuiltJoke(2)));
    EXPECT_EQ(counters[2], counters[1]);
    EXPECT_EQ(Values(run.out, "number: "), std::vector<std::string>{}) << run.out;
    EXPECT_EQ(Values(run.out, "message: "), std::vector<std::string>{});

    // The edition keeps its settings under its own company key and its own program name.
    const std::string settings = scratch::ReadFile(m_root / "registry/user.reg");
    EXPECT_NE(settings.find("[HKEY_CURRENT_USER\\Software\\Wendle\\WJ\\Set]"), std::string::npos)
        << settings;
    EXPECT_EQ(settings.find("Parlonda"), std::string::npos) << settings;
}

// The device receives the program and its jokes, nothing else: the installed reader must open
// its window with nothing of the build at hand.
TEST_F(Road, TheInstalledReaderOpensItsWindowOnItsOwn) {
    Outcome run = Command(Quote(kBin + "/appmgr-register") + " " + Quote(kBin));
    ASSERT_EQ(run.status, 0) << run.err;
    run = Command(Quote(kBin + "/jokesetup"));
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const std::string installed = m_device + "/Program Files/Wendle Diver/WJ.exe";
    ASSERT_TRUE(scratch::Exists(installed));
    EXPECT_EQ(scratch::ReadFile(installed).find(kBin), std::string::npos)
        << "the installed program names the build's folder";

    if (const auto missing = XvfbServer::MissingForInput())
        GTEST_SKIP() << *missing;
    XvfbServer server;
    std::string error;
    ASSERT_TRUE(server.Start(&error)) << error;
    // Its window appears, titled by the program's name; a termination signal then closes it
    // as File > Exit would.
    run = Command("DISPLAY=" + server.Display() + " WAYLAND_DISPLAY= sh -c " +
                  Quote(Quote(installed) +
                        " & pid=$!; for i in $(seq 300); do"
                        "  [ -n \"$(xdotool search --name \"^WJ$\")\" ] && break; sleep 0.1;"
                        " done; xdotool search --name \"^WJ$\" >/dev/null; found=$?;"
                        " kill -TERM $pid; wait $pid; status=$?;"
                        " echo \"found $found status $status\""));
    EXPECT_EQ(run.out, "found 0 status 0\n") << run.err;
}

}  // namespace
