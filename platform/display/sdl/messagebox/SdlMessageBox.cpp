#include "platform/display/sdl/messagebox/SdlMessageBox.h"

#include <SDL.h>
#include <dlfcn.h>

#include <vector>

#include "platform/base/MessageBox.h"

namespace platform {

namespace {

struct Button {
    int id;
    const char* label;
};

std::vector<Button> ButtonsOf(unsigned type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
        case MB_YESNO:
            return {{IDYES, "Yes"}, {IDNO, "No"}};
        default:
            return {{IDOK, "OK"}};
    }
}

Uint32 IconOf(unsigned type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND:
            return SDL_MESSAGEBOX_ERROR;
        case MB_ICONEXCLAMATION:
            return SDL_MESSAGEBOX_WARNING;
        default:
            return SDL_MESSAGEBOX_INFORMATION;
    }
}

// SDL is loaded when a box is first shown, not when the program starts: a program whose boxes
// are rare (the installer) then neither pays for loading SDL and the libraries it needs nor
// fails to start where SDL is not installed.
struct SdlCalls {
    decltype(&SDL_ShowMessageBox) showMessageBox = nullptr;
    decltype(&SDL_GetError) getError = nullptr;
};

const SdlCalls* LoadSdl(std::string* error) {
    static const SdlCalls calls = [] {
        SdlCalls loaded;
        void* library = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (library != nullptr) {
            loaded.showMessageBox = reinterpret_cast<decltype(&SDL_ShowMessageBox)>(
                ::dlsym(library, "SDL_ShowMessageBox"));
            loaded.getError =
                reinterpret_cast<decltype(&SDL_GetError)>(::dlsym(library, "SDL_GetError"));
        }
        return loaded;
    }();
    if (calls.showMessageBox == nullptr || calls.getError == nullptr) {
        *error = "SDL 2 (libSDL2-2.0.so.0) is not installed";
        return nullptr;
    }
    return &calls;
}

}  // namespace

int ShowSdlMessageBox(std::string_view text, std::string_view caption, unsigned type,
                      std::string* error) {
    const SdlCalls* sdl = LoadSdl(error);
    if (sdl == nullptr)
        return 0;
    const std::vector<Button> buttons = ButtonsOf(type);
    std::vector<SDL_MessageBoxButtonData> data;
    for (const Button& button : buttons) {
        Uint32 flags = 0;
        if (button.id == buttons.front().id)
            flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (button.id == buttons.back().id)
            flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        data.push_back({flags, button.id, button.label});
    }
    // SDL wants C strings; the views need not end in one.
    const std::string title(caption);
    const std::string message(text);
    const SDL_MessageBoxData box{IconOf(type) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                 nullptr,
                                 title.c_str(),
                                 message.c_str(),
                                 static_cast<int>(data.size()),
                                 data.data(),
                                 nullptr};
    int chosen = -1;
    // SDL shows a box without being initialised, on a connection of its own.
    if (sdl->showMessageBox(&box, &chosen) != 0) {
        *error = sdl->getError();
        return 0;
    }
    // Closed by the window's close box: the way out the box's Escape key also takes.
    return chosen > 0 ? chosen : buttons.back().id;
}

}  // namespace platform
