// The reader on a 240 x 320 screen, in a desktop window or headless under a script. Each
// edition is this file built with its own resources: JOKEPAD_RESOURCES_HEADER declares
// JOKEPAD_RESOURCES(), and JOKEPAD_PROGRAM names the program in its messages.

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include JOKEPAD_RESOURCES_HEADER
#include "platform/base/DesktopDisplay.h"
#include "platform/display/HeadlessDisplay.h"
#include "platform/display/PngWriter.h"
#include "platform/display/script/ScriptDriver.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenServices.h"
#include "reader/res/resource.h"
#include "reader/ui/JokeViewProbe.h"
#include "reader/ui/KippApp.h"
#include "reader/ui/ReaderOptions.h"
#include "reader/ui/window/OpenWindow.h"

namespace {

constexpr const char* kProgram = JOKEPAD_PROGRAM;

int UsageError(const std::string& message) {
    std::cerr << kProgram << ": " << message << '\n'
              << kProgram << ": try '" << kProgram << " --help'\n";
    return 2;
}

bool ReadScript(const std::string& source, std::string* text, std::string* error) {
    if (source == "-") {
        text->assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return true;
    }
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        *error = "cannot read the script " + source;
        return false;
    }
    text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    ReaderOptions options;
    std::string error;
    if (!ParseReaderOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &error))
        return UsageError(error);
    if (options.help) {
        std::cout << ReaderUsage(kProgram);
        return 0;
    }
    if (options.version) {
        std::cout << kProgram << " " JOKEPAD_VERSION "\n";
        return 0;
    }

    std::vector<platform::ScriptCommand> commands;
    if (options.script) {
        std::string text;
        if (!ReadScript(*options.script, &text, &error)) {
            std::cerr << kProgram << ": " << error << '\n';
            return 1;
        }
        if (!platform::ParseScript(text, &commands, &error))
            return UsageError("script " + error);
    }

    AfxSetResourceModule(&JOKEPAD_RESOURCES());

    // A window unless asked for none; a script runs headless where there is nothing to show a
    // window on.
    std::unique_ptr<platform::IDisplay> window;
    const bool scripted = options.script.has_value() || options.headless;
    if (!options.headless && (!options.script || platform::HaveDesktopDisplay())) {
        platform::SdlOptions sdl;
        sdl.title = kProgram;
        sdl.scale = options.scale;
        window = OpenReaderWindow(sdl, &error);
        if (window == nullptr && !options.script) {
            std::cerr << kProgram << ": " << error << '\n'
                      << kProgram << ": run it on a desktop, or without a window: " << kProgram
                      << " --headless\n";
            return 1;
        }
    }

    std::unique_ptr<platform::ScriptDriver> driver;
    platform::Screen& screen = platform::Screen::Instance();
    if (scripted) {
        platform::ScriptDriver::Options driverOptions;
        driverOptions.programName = kProgram;
        const auto notFontDialog = [](HWND active) { return !IsSelectFontDialog(active); };
        driverOptions.watched = {{IDC_COUNTER, "counter"},
                                 {IDC_NUMBER, "number", notFontDialog},
                                 {IDC_FACE_NAME, "face", IsSelectFontDialog},
                                 {IDC_NUMBER, "size", IsSelectFontDialog}};
        driverOptions.textProbe = JokeViewText;
        driverOptions.finalScreenshot = options.screenshot.value_or("");
        driverOptions.mirror = window.get();
        driver = std::make_unique<platform::ScriptDriver>(
            std::move(commands), std::move(driverOptions), std::cout, std::cerr);
        screen.AttachDisplay(driver.get());
    } else {
        screen.AttachDisplay(window.get());
        platform::UseScreenMessageBoxes(true);
        platform::UseScreenWaitCursor(true);
    }

    // Naming theApp here also links its file into the program.
    if (AfxGetApp() != &theApp) {
        std::cerr << kProgram << ": the application object is missing\n";
        return 1;
    }
    // The framework sees the program's name alone, as the device started it.
    char* frameworkArgv[] = {argv[0], nullptr};
    int status = AfxWinMain(1, frameworkArgv);

    if (!scripted && options.screenshot) {
        const platform::Surface& pixels = screen.Pixels();
        if (!platform::WritePng(*options.screenshot, pixels.Row32(0), pixels.Width(),
                                pixels.Height(), pixels.Stride() / 4, &error)) {
            std::cerr << kProgram << ": cannot write the screenshot: " << error << '\n';
            status = status != 0 ? status : 1;
        }
    }
    platform::UseScreenMessageBoxes(false);
    platform::UseScreenWaitCursor(false);
    screen.AttachDisplay(nullptr);
    if (status == 0 && driver != nullptr && driver->Failed())
        status = 2;
    return status;
}
