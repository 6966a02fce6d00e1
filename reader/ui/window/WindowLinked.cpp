#include "reader/ui/window/OpenWindow.h"

std::unique_ptr<platform::IDisplay> OpenReaderWindow(const platform::SdlOptions& options,
                                                     std::string* error) {
    return platform::CreateSdlDisplay(options, error);
}
