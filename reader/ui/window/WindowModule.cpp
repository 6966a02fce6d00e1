// The one entry point of the window module, which the reader finds by name once it has loaded
// the module. The result is the caller's to delete; the module stays loaded while it lives.

#include <string>

#include "platform/display/sdl/SdlDisplay.h"

extern "C" __attribute__((visibility("default"))) platform::IDisplay* JokepadOpenWindow(
    const platform::SdlOptions* options, std::string* error) {
    return platform::CreateSdlDisplay(*options, error).release();
}
