#include "platform/display/script/ScriptDriver.h"

#include <deque>
#include <ostream>

#include "platform/base/MessageBox.h"
#include "platform/display/HeadlessDisplay.h"
#include "platform/display/PngWriter.h"
#include "platform/ui/CCeCommandBar.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/MenuPopup.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowApi.h"

namespace platform {

namespace {

// Prints each box where the state lines go, and answers it as a user pressing its default
// button would.
class PrintingMessageBox final : public IMessageBoxService {
public:
    explicit PrintingMessageBox(std::ostream& out) : m_out(out) {}
    int Show(const CString& text, const CString& /*caption*/, UINT type) override {
        m_out << "message: " << text.ToUtf8() << std::endl;
        return DefaultButton(type);
    }

private:
    std::ostream& m_out;
};

CString WindowText(HWND hwnd) {
    const int length = ::GetWindowTextLength(hwnd);
    std::u16string buffer(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = ::GetWindowText(hwnd, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return CString(buffer);
}

// The descendants of window, depth first, each window's children in z-order.
std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> order;
    std::vector<HWND> pending{window};
    while (!pending.empty()) {
        const HWND current = pending.back();
        pending.pop_back();
        if (current != window)
            order.push_back(current);
        std::vector<HWND> children;
        for (HWND child = ::GetWindow(current, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return order;
}

// The descendant of window with control id; a visible one is preferred, as a form may keep
// a hidden control of an id that another control also uses.
HWND FindControl(HWND window, int id) {
    HWND hidden = nullptr;
    for (HWND hwnd : Descendants(window)) {
        if (::GetDlgCtrlID(hwnd) != id)
            continue;
        if (::IsWindowVisible(hwnd))
            return hwnd;
        if (hidden == nullptr)
            hidden = hwnd;
    }
    return hidden;
}

CPoint Centre(const CRect& rect) {
    return rect.CenterPoint();
}

std::string FirstLine(const CString& text) {
    std::string line = text.ToUtf8();
    const std::size_t end = line.find_first_of("\r\n");
    if (end != std::string::npos)
        line.resize(end);
    return line;
}

// A menu item's text as the user reads it: without its '&' marks, and without the shortcut
// after a tab. "&&" is one ampersand.
std::u16string ShownItemText(const CString& text) {
    std::u16string shown;
    const std::u16string_view view = text.View();
    for (std::size_t i = 0; i < view.size(); ++i) {
        if (view[i] == u'\t')
            break;
        if (view[i] == u'&') {
            if (i + 1 < view.size() && view[i + 1] == u'&')
                shown += u'&';
            else
                continue;
            ++i;
            continue;
        }
        shown += view[i];
    }
    return shown;
}

}  // namespace

struct ScriptDriver::Impl {
    explicit Impl(std::ostream& out) : boxes(out) {}
    std::deque<InputEvent> events;
    // Parts of a command that must wait until the program is idle again: the menu's item,
    // chosen once the menu is open.
    std::deque<std::function<void()>> steps;
    PrintingMessageBox boxes;
    IMessageBoxService* previousBoxes = nullptr;
    bool quitSent = false;
    bool userClosed = false;
};

ScriptDriver::ScriptDriver(std::vector<ScriptCommand> commands, Options options, std::ostream& out,
                           std::ostream& err)
    : m_commands(std::move(commands)),
      m_options(std::move(options)),
      m_out(out),
      m_err(err),
      m_impl(std::make_unique<Impl>(out)) {
    m_impl->previousBoxes = SetMessageBoxService(&m_impl->boxes);
}

ScriptDriver::~ScriptDriver() {
    SetMessageBoxService(m_impl->previousBoxes);
}

void ScriptDriver::Present(const std::uint32_t* pixels, int width, int height, int strideInPixels) {
    m_frame = Image::Copy(pixels, width, height, strideInPixels);
    if (m_options.mirror != nullptr)
        m_options.mirror->Present(pixels, width, height, strideInPixels);
}

std::optional<InputEvent> ScriptDriver::WaitEvent(int timeoutMs) {
    if (m_options.mirror != nullptr && !m_impl->userClosed) {
        // Keeps the window answering; its user can only close it, which ends the script.
        while (std::optional<InputEvent> e = m_options.mirror->WaitEvent(0)) {
            if (e->kind == InputKind::Quit) {
                m_impl->userClosed = true;
                m_impl->steps.clear();
                m_impl->events.clear();
                m_next = m_commands.size();
            }
        }
    }
    for (;;) {
        if (!m_impl->events.empty()) {
            const InputEvent e = m_impl->events.front();
            m_impl->events.pop_front();
            return e;
        }
        // Asked without waiting, the program has not yet done its idle work and painted.
        if (timeoutMs == 0)
            return std::nullopt;
        if (!m_impl->steps.empty()) {
            const std::function<void()> step = std::move(m_impl->steps.front());
            m_impl->steps.pop_front();
            step();
            continue;
        }
        if (m_next < m_commands.size()) {
            Run(m_commands[m_next++]);
            continue;
        }
        if (!m_finished)
            Finish();
        if (!m_impl->quitSent) {
            m_impl->quitSent = true;
            return InputEvent::Quit();
        }
        return std::nullopt;
    }
}

void ScriptDriver::Fail(const ScriptCommand& command, const std::string& problem) {
    m_err << m_options.programName << ": script line " << command.line << ": " << command.source
          << ": " << problem << std::endl;
    m_failed = true;
    // The rest of the script was written for a program in another state.
    m_impl->steps.clear();
    m_impl->events.clear();
    m_next = m_commands.size();
}

void ScriptDriver::Finish() {
    m_finished = true;
    PrintState();
    if (!m_options.finalScreenshot.empty()) {
        std::string error;
        if (!WriteScreen(m_options.finalScreenshot, &error)) {
            m_err << m_options.programName << ": cannot write the screenshot: " << error
                  << std::endl;
            m_failed = true;
        }
    }
}

void ScriptDriver::QueueTap(CPoint point) {
    m_impl->events.push_back(InputEvent::StylusDown(point.x, point.y));
    m_impl->events.push_back(InputEvent::StylusUp(point.x, point.y));
}

bool ScriptDriver::WriteScreen(const std::string& path, std::string* error) const {
    if (m_frame.width == 0) {
        *error = "nothing has been shown yet";
        return false;
    }
    return WritePng(path, m_frame, error);
}

void ScriptDriver::Run(const ScriptCommand& command) {
    const HWND active = ::GetActiveWindow();
    const auto control = [&](const char* what) -> HWND {
        if (active == nullptr) {
            Fail(command, "no window is active");
            return nullptr;
        }
        const HWND hwnd = FindControl(active, command.id);
        if (hwnd == nullptr) {
            Fail(command, std::string("the active window has no ") + what + " " +
                              std::to_string(command.id));
            return nullptr;
        }
        return hwnd;
    };

    switch (command.verb) {
        case ScriptVerb::Click: {
            const HWND hwnd = control("control");
            if (hwnd == nullptr)
                return;
            if (!::IsWindowVisible(hwnd)) {
                Fail(command, "control " + std::to_string(command.id) + " is hidden");
                return;
            }
            CRect rect;
            ::GetWindowRect(hwnd, &rect);
            QueueTap(Centre(rect));
            return;
        }
        case ScriptVerb::Tap:
            QueueTap(CPoint(command.x, command.y));
            return;
        case ScriptVerb::Key: {
            m_impl->events.push_back(InputEvent::KeyDown(command.vk, command.modifiers));
            if (const char16_t ch = CharacterForKey(command.vk, command.modifiers))
                m_impl->events.push_back(InputEvent::Char(ch, command.modifiers));
            m_impl->events.push_back(InputEvent::KeyUp(command.vk, command.modifiers));
            return;
        }
        case ScriptVerb::Type:
            for (const char16_t unit : command.text)
                m_impl->events.push_back(InputEvent::Char(unit));
            return;
        case ScriptVerb::Menu: {
            CWnd* main = AfxGetMainWnd();
            auto* bar = main != nullptr ? dynamic_cast<CCeCommandBar*>(
                                              main->GetDlgItem(static_cast<int>(AFX_IDW_TOOLBAR)))
                                        : nullptr;
            const CRect button = bar != nullptr ? bar->GetMenuButtonRect(0) : CRect();
            if (button.IsRectEmpty()) {
                Fail(command, "the main window has no menu bar");
                return;
            }
            CRect onScreen = button;
            bar->ClientToScreen(&onScreen);
            QueueTap(Centre(onScreen));
            m_impl->steps.push_back([this, &command] { ChooseMenuItem(command); });
            return;
        }
        case ScriptVerb::Ok:
        case ScriptVerb::Cancel: {
            Screen& screen = Screen::Instance();
            const bool ok = command.verb == ScriptVerb::Ok;
            const CRect button = ok ? screen.TopBarOkRect() : screen.TopBarCloseRect();
            if (button.IsRectEmpty()) {
                Fail(command, ok ? "no dialog with an ok button is open" : "no dialog is open");
                return;
            }
            QueueTap(Centre(button));
            return;
        }
        case ScriptVerb::Set: {
            const HWND hwnd = control("control");
            if (hwnd == nullptr)
                return;
            ::SetWindowText(hwnd, CString(command.text));
            return;
        }
        case ScriptVerb::Select: {
            const HWND hwnd = control("combo box");
            if (hwnd == nullptr)
                return;
            const CString text(command.text);
            const auto index = ::SendMessage(hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(text.GetString()));
            if (index < 0) {
                Fail(command, "combo box " + std::to_string(command.id) + " has no entry '" +
                                  text.ToUtf8() + "'");
                return;
            }
            // As the user's choice: the selection, then the notification to the parent.
            if (::SendMessage(hwnd, CB_GETCURSEL) != index) {
                ::SendMessage(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index));
                ::SendMessage(::GetParent(hwnd), WM_COMMAND,
                              MAKEWPARAM(static_cast<WORD>(command.id), CBN_SELCHANGE),
                              HandleToLParam(hwnd));
            }
            return;
        }
        case ScriptVerb::Shot: {
            std::string error;
            if (!WriteScreen(command.path, &error))
                Fail(command, error);
            return;
        }
        case ScriptVerb::State:
            PrintState();
            return;
    }
}

void ScriptDriver::ChooseMenuItem(const ScriptCommand& command) {
    MenuPopup* popup = MenuPopup::Current();
    if (popup == nullptr) {
        Fail(command, "the menu did not open");
        return;
    }
    std::string items;
    for (int i = 0; i < popup->ItemCount(); ++i) {
        const std::u16string shown = ShownItemText(popup->ItemText(i));
        if (shown.empty())
            continue;  // a separator
        if (shown == command.text) {
            if (!popup->ItemEnabled(i)) {
                Fail(command, "the item is disabled");
                return;
            }
            QueueTap(Centre(popup->ItemRectOnScreen(i)));
            return;
        }
        items += (items.empty() ? "" : ", ") + CString(shown).ToUtf8();
    }
    Fail(command, "the menu has no such item; it has " + items);
}

void ScriptDriver::PrintState() {
    const HWND active = ::GetActiveWindow();
    m_out << "window: " << (active != nullptr ? WindowText(active).ToUtf8() : std::string())
          << '\n';
    if (active != nullptr) {
        for (const WatchedControl& watched : m_options.watched) {
            if (watched.shownIn && !watched.shownIn(active))
                continue;
            const HWND hwnd = FindControl(active, watched.id);
            if (hwnd != nullptr && ::IsWindowVisible(hwnd))
                m_out << watched.label << ": " << WindowText(hwnd).ToUtf8() << '\n';
        }
        if (m_options.textProbe) {
            if (const std::optional<CString> text = m_options.textProbe(active))
                m_out << "text: " << FirstLine(*text) << '\n';
        }
    }
    m_out.flush();
}

}  // namespace platform
