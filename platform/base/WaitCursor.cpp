#include "platform/base/WaitCursor.h"

namespace platform {

namespace {

class NoWaitCursor final : public IWaitCursorService {
public:
    void Begin() override {}
    void End() override {}
};

struct WaitCursorState {
    NoWaitCursor none;
    IWaitCursorService* service = &none;
    int depth = 0;
};

WaitCursorState& State() {
    static WaitCursorState state;
    return state;
}

}  // namespace

IWaitCursorService* SetWaitCursorService(IWaitCursorService* service) {
    WaitCursorState& state = State();
    IWaitCursorService* const previous = state.service;
    IWaitCursorService* const next = service != nullptr ? service : &state.none;
    if (state.depth > 0 && next != previous) {
        previous->End();
        next->Begin();
    }
    state.service = next;
    return previous == &state.none ? nullptr : previous;
}

void BeginWaitCursor() {
    WaitCursorState& state = State();
    if (state.depth++ == 0)
        state.service->Begin();
}

void EndWaitCursor() {
    WaitCursorState& state = State();
    if (state.depth == 0)
        return;
    if (--state.depth == 0)
        state.service->End();
}

int WaitCursorDepth() {
    return State().depth;
}

}  // namespace platform
