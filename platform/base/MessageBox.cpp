#include "platform/base/MessageBox.h"

#include <cstdio>
#include <string>

#include "platform/base/AppProfile.h"
#include "platform/base/ModulePath.h"

namespace platform {

namespace {

class HeadlessMessageBox final : public IMessageBoxService {
public:
    int Show(const CString& text, const CString& /*caption*/, UINT type) override {
        const std::string line = "message: " + text.ToUtf8() + '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fflush(stdout);
        return DefaultButton(type);
    }
};

struct MessageBoxState {
    HeadlessMessageBox headless;
    IMessageBoxService* service = &headless;
};

MessageBoxState& State() {
    static MessageBoxState state;
    return state;
}

CString Caption() {
    if (const CAppProfile* app = CAppProfile::Current())
        return app->GetAppName();
    return ProgramNameFromPath(AfxGetModuleFileName());
}

}  // namespace

IMessageBoxService* SetMessageBoxService(IMessageBoxService* service) {
    MessageBoxState& state = State();
    IMessageBoxService* const previous = state.service;
    state.service = service != nullptr ? service : &state.headless;
    return previous == &state.headless ? nullptr : previous;
}

int DefaultButton(UINT type) {
    return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

}  // namespace platform

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT /*nIDHelp*/) {
    return platform::State().service->Show(CString(lpszText), platform::Caption(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    if (!text.LoadString(nIDPrompt)) {
        // A program whose string table lacks the text still tells the user something.
        text = CString::FromUtf8("Message " + std::to_string(nIDPrompt));
    }
    return AfxMessageBox(text.GetString(), nType, nIDHelp);
}
