#pragma once
// The operating system as a desktop program without windows reaches it, in parts that tests can
// replace one at a time.

#include "platform/desktop/FileSystem.h"
#include "platform/desktop/MessageBox.h"
#include "platform/desktop/Process.h"

struct Desktop {
    FileSystem& files;
    ProcessLauncher& processes;
    MessagePresenter& messages;
};

// This machine's file system and processes, and message boxes in a window where there is a
// display, else on standard error.
Desktop& RealDesktop();
