// The window from jokepad-window.so: SDL and the sound, X11 and Wayland libraries it needs take
// longer to load than a whole headless run, which has no use for them. The module is looked for
// beside the program, in ../lib/jokepad (installed), then in the build's bin folder
// (JOKEPAD_BUILD_BIN_DIR, for a copy of the program elsewhere, as the tests make).

#include <dlfcn.h>

#include <filesystem>

#include "reader/ui/window/OpenWindow.h"

std::unique_ptr<platform::IDisplay> OpenReaderWindow(const platform::SdlOptions& options,
                                                     std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path here = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const fs::path candidates[] = {here / "jokepad-window.so",
                                   here / ".." / "lib" / "jokepad" / "jokepad-window.so",
                                   fs::path(JOKEPAD_BUILD_BIN_DIR) / "jokepad-window.so"};
    std::string why;
    for (const fs::path& candidate : candidates) {
        if (!fs::exists(candidate, ec))
            continue;
        void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            why = ::dlerror();
            continue;
        }
        using Open = platform::IDisplay* (*)(const platform::SdlOptions*, std::string*);
        auto open = reinterpret_cast<Open>(::dlsym(module, "JokepadOpenWindow"));
        if (open == nullptr) {
            why = candidate.string() + " is not the reader's window module";
            continue;
        }
        // The module stays loaded for the program's life, as the window's code is in it.
        return std::unique_ptr<platform::IDisplay>(open(&options, error));
    }
    *error =
        "cannot open the screen window: " +
        (why.empty() ? std::string("jokepad-window.so is not installed beside the program") : why);
    return nullptr;
}
