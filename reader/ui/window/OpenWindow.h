#pragma once
// The reader's desktop window. A program is built with one of two ways to reach it: from the
// window module, loaded only when a window is shown (WindowFromModule.cpp), or linked into the
// program itself, for a program that must stand alone, as the one the installer carries does
// (WindowLinked.cpp).

#include <memory>
#include <string>

#include "platform/display/sdl/SdlDisplay.h"

std::unique_ptr<platform::IDisplay> OpenReaderWindow(const platform::SdlOptions& options,
                                                     std::string* error);
