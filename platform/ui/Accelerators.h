#pragma once
// Accelerator tables: keys that send commands (Ctrl+Q -> ID_APP_EXIT), read from the
// program's resources. A table is the resource itself and lives as long as the resources.

#include "platform/base/Resources.h"
#include "platform/ui/WinTypes.h"

using HACCEL = const AcceleratorTable*;

// Null when the resources have no such table. hInstance null means the program's resources.
HACCEL LoadAccelerators(HINSTANCE hInstance, const ResourceId& name);

// When the message is a key of the table (a virtual key with exactly its Ctrl, Shift and Alt
// state, or a character), sends WM_COMMAND with the command in the low word and 1 in the
// high word to hWnd and returns nonzero; otherwise returns 0 and sends nothing.
int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg);
