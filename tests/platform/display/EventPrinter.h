#pragma once
// Lets GoogleTest show an input event readably when a comparison fails.

#include <ostream>

#include "platform/ui/Display.h"

namespace platform {

inline void PrintTo(const InputEvent& e, std::ostream* os) {
    static constexpr const char* kNames[] = {"StylusDown", "StylusMove", "StylusUp", "KeyDown",
                                             "KeyUp",      "Char",       "Wheel",    "Quit"};
    *os << kNames[static_cast<int>(e.kind)] << "{x " << e.x << ", y " << e.y << ", vk " << e.vk
        << (e.repeat ? " repeat" : "") << ", ch " << static_cast<unsigned>(e.ch) << ", wheel "
        << e.wheelDelta << (e.modifiers.ctrl ? ", ctrl" : "")
        << (e.modifiers.shift ? ", shift" : "") << (e.modifiers.alt ? ", alt" : "") << "}";
}

}  // namespace platform
