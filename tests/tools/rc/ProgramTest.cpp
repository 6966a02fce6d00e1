// jokepad-rc as the build runs it: its output, its dependency file, its messages and its exit
// status.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct RunResult {
    int status;
    std::string output;  // standard output and error
};

std::string Quote(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

RunResult RunCompiler(const std::string& args) {
    const std::string command =
        Quote(std::string(JOKEPAD_BIN_DIR) + "/jokepad-rc") + " " + args + " 2>&1";
    RunResult run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        run.output += buffer;
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::path(::testing::TempDir()) /
                ("jokepad-rc-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "res");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Write(const std::string& name, const std::string& text) {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

TEST_F(Program, WritesTheTablesAndTheFilesTheyCameFrom) {
    Write("res/ids.h", "#define IDS_HELLO 7\n");
    Write("res/app.rc", "#include \"ids.h\"\nSTRINGTABLE\nBEGIN\nIDS_HELLO \"hello\"\nEND\n");
    const RunResult run = RunCompiler("--name App -o " + Quote(Path("out.cpp")) + " --depfile " +
                                      Quote(Path("out.d")) + " " + Quote(Path("res/app.rc")));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "");
    const std::string code = Read(m_dir / "out.cpp");
    EXPECT_NE(code.find("const ResourceModule& AppResources()"), std::string::npos) << code;
    EXPECT_NE(code.find("{7, u\"hello\"}"), std::string::npos) << code;
    const std::string deps = Read(m_dir / "out.d");
    EXPECT_EQ(deps.rfind(Path("out.cpp") + ":", 0), 0u) << deps;
    EXPECT_NE(deps.find(Path("res/app.rc")), std::string::npos) << deps;
    EXPECT_NE(deps.find(Path("res/ids.h")), std::string::npos) << deps;
}

TEST_F(Program, AFaultIsReportedWithFileAndLineAndWritesNothing) {
    Write("res/app.rc", "STRINGTABLE\nBEGIN\n1 \"a\" \"b\"\nEND\n");
    const RunResult run =
        RunCompiler("--name App -o " + Quote(Path("out.cpp")) + " " + Quote(Path("res/app.rc")));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "jokepad-rc: " + Path("res/app.rc") +
                              ":3: one text per string id; join the parts into one\n");
    EXPECT_FALSE(fs::exists(m_dir / "out.cpp"));
    EXPECT_FALSE(fs::exists(m_dir / "out.cpp.tmp"));
}

TEST_F(Program, UsageFaultsExitWithTwo) {
    Write("res/app.rc", "");
    const std::string script = Quote(Path("res/app.rc"));
    const struct {
        std::string args;
        std::string message;
    } cases[] = {
        {"", "jokepad-rc: no script given"},
        {"--name App " + script, "jokepad-rc: no output file given (-o)"},
        {"-o x.cpp " + script, "jokepad-rc: --name needs a C++ identifier"},
        {"--name 9lives -o x.cpp " + script, "jokepad-rc: --name needs a C++ identifier"},
        {"--frobnicate " + script, "jokepad-rc: unknown option --frobnicate"},
        {"--name App -o", "jokepad-rc: -o needs a value"},
    };
    for (const auto& c : cases) {
        const RunResult run = RunCompiler(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_EQ(run.output.rfind(c.message + "\nUsage:", 0), 0u) << c.args << "\n" << run.output;
    }
    EXPECT_EQ(RunCompiler("--help").status, 0);
}

TEST_F(Program, AMissingScriptIsAFailure) {
    const RunResult run =
        RunCompiler("--name App -o " + Quote(Path("out.cpp")) + " " + Quote(Path("nothing.rc")));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "jokepad-rc: " + Path("nothing.rc") + ": cannot read the script\n");
}

}  // namespace
