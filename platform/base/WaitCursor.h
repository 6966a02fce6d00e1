#pragma once
// The wait cursor, shown while the program is busy. The platform layer only counts; whatever
// draws the cursor (a window backend) plugs in as the service, and without one nothing is
// drawn, which is right for a headless run.

#include "platform/base/Types.h"

namespace platform {

class IWaitCursorService {
public:
    virtual ~IWaitCursorService() = default;
    // Begin when the outermost wait starts, End when it is over; nested waits are counted
    // here and never reach the service.
    virtual void Begin() = 0;
    virtual void End() = 0;
};

// Returns the service in place before (nullptr for the default); nullptr puts back the one that
// draws nothing. A wait in progress moves over: the old service ends it and the new one begins it.
IWaitCursorService* SetWaitCursorService(IWaitCursorService* service);

void BeginWaitCursor();
// An End without a Begin is ignored.
void EndWaitCursor();
// How many waits are in progress.
int WaitCursorDepth();

}  // namespace platform

// As the framework's: the cursor waits for the object's life.
class CWaitCursor {
public:
    CWaitCursor() { platform::BeginWaitCursor(); }
    ~CWaitCursor() { platform::EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
