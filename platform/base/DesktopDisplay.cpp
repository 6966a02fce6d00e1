#include "platform/base/DesktopDisplay.h"

#include <cstdlib>
#include <initializer_list>

namespace platform {

bool HaveDesktopDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

}  // namespace platform
