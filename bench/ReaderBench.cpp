// The reader's costs that the user feels: setting a joke's text in the joke view (layout and
// drawing onto its one-bit surface), a tap on Next until the new frame is presented, and a
// headless start with the bundled jokes until the program has painted its first frame and
// ended. The first two run in this process on the reader's own windows; the start runs the
// built program as a new process each time (fork and exec, an empty script), so that it pays
// for everything a real start pays for: loading, fontconfig, the first glyphs, the jokes file.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "JokepadResources.h"
#include "bench/JokeText.h"
#include "platform/base/ModulePath.h"
#include "platform/display/HeadlessDisplay.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/Screen.h"
#include "reader/ui/KippApp.h"
#include "reader/ui/KippAppView.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

fs::path BenchFolder() {
    const char* data = std::getenv("JOKEPAD_BENCH_DATA");
    return fs::path(data != nullptr ? data : fs::temp_directory_path().string()) / "reader";
}

// The reader started once, in this process, on a headless screen, with the bundled jokes.
class Reader {
public:
    static Reader& Instance() {
        static Reader reader;
        return reader;
    }
    CKippAppView& View() {
        auto* frame = dynamic_cast<CFrameWnd*>(m_app.m_pMainWnd);
        return *dynamic_cast<CKippAppView*>(frame->GetActiveView());
    }
    platform::HeadlessDisplay display;

private:
    Reader() {
        const fs::path folder = BenchFolder();
        fs::create_directories(folder);
        fs::copy_file(fs::path(JOKEPAD_BIN_DIR) / "jokepad.dat", folder / "jokepad.dat",
                      fs::copy_options::overwrite_existing);
        platform::SetModulePathForTesting(CString::FromUtf8((folder / "jokepad").string()));
        AfxSetResourceModule(&JokepadResources());
        platform::Screen::Instance().AttachDisplay(&display);
        if (!m_app.InitInstance())
            throw std::runtime_error("the reader did not start");
        platform::RunUntilIdle();
    }
    CKippApp m_app;
};

using bench::JokeText;

void BM_SetText(benchmark::State& state) {
    CJokeView& view = Reader::Instance().View().m_jokeView;
    const CString text = JokeText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        view.SetText(text);
        benchmark::DoNotOptimize(view.GetTextRect());
    }
}
BENCHMARK(BM_SetText)->Arg(60)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A tap on Next (or, every other time, Previous, to stay among the jokes) until the frame
// with the new joke has been presented. Each showing stores the joke's index in the settings,
// a durable write that waits for the disk: argument 0 keeps the settings where the run put
// them (JOKEPAD_REGISTRY), 1 moves them to memory (/dev/shm), which leaves the reader's own
// work.
void BM_NextTapToFrame(benchmark::State& state) {
    Reader& reader = Reader::Instance();
    std::optional<std::string> saved;
    if (state.range(0) == 1) {
        if (!fs::is_directory("/dev/shm")) {
            state.SkipWithError("no /dev/shm");
            return;
        }
        if (const char* registry = std::getenv("JOKEPAD_REGISTRY"))
            saved = registry;
        ::setenv("JOKEPAD_REGISTRY",
                 ("/dev/shm/jokepad-bench-" + std::to_string(::getpid())).c_str(), 1);
    }
    CKippAppView& view = reader.View();
    CRect next, previous;
    view.GetDlgItem(IDC_NEXT)->GetWindowRect(&next);
    view.GetDlgItem(IDC_PREVIOUS)->GetWindowRect(&previous);
    bool forward = true;
    for (auto _ : state) {
        const int presented = reader.display.PresentCount();
        const CPoint tap = (forward ? next : previous).CenterPoint();
        reader.display.QueueTap(tap.x, tap.y);
        platform::RunUntilIdle();
        if (reader.display.PresentCount() == presented)
            state.SkipWithError("no frame was presented");
        forward = !forward;
    }
    if (state.range(0) == 1) {
        std::error_code ec;
        fs::remove_all(std::getenv("JOKEPAD_REGISTRY"), ec);
        if (saved)
            ::setenv("JOKEPAD_REGISTRY", saved->c_str(), 1);
        else
            ::unsetenv("JOKEPAD_REGISTRY");
    }
}
BENCHMARK(BM_NextTapToFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A built program, started headless on an empty script: its first frame, then its end. 0:
// jokepad, which loads its window module only to show a window; 1: WJ.exe, the edition the
// installer carries, with its window linked in, which loads SDL on every start.
void BM_StartToFirstFrameHeadless(benchmark::State& state) {
    const bool linkedWindow = state.range(0) == 1;
    const std::string name = linkedWindow ? "WJ" : "jokepad";
    const std::string file = linkedWindow ? "WJ.exe" : "jokepad";
    const fs::path folder = BenchFolder() / ("start-" + name);
    fs::create_directories(folder);
    const fs::path program = folder / file;
    fs::copy_file(fs::path(JOKEPAD_BIN_DIR) / file, program, fs::copy_options::overwrite_existing);
    fs::copy_file(fs::path(JOKEPAD_BIN_DIR) / (name + ".dat"), folder / (name + ".dat"),
                  fs::copy_options::overwrite_existing);
    const std::string script = (folder / "empty.script").string();
    { std::ofstream(script).flush(); }
    std::string programText = program.string(), headless = "--headless", scriptFlag = "--script";
    std::string scriptPath = script;
    char* argv[] = {programText.data(), headless.data(), scriptFlag.data(), scriptPath.data(),
                    nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = -1;
        if (::posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the reader");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the reader failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_StartToFirstFrameHeadless)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
