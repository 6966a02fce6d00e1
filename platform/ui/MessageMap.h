#pragma once
// Message maps: each class that handles messages lists them in a static table chained to its
// base class's table, as the framework does. An entry binds (message, notification code,
// control id range) to a small thunk that casts the target to the declaring class and calls
// the handler with the arguments the message carries, so handlers keep the framework's
// signatures without the framework's member-pointer casts.

#include "platform/base/Types.h"
#include "platform/ui/Messages.h"

class CCmdTarget;
class CCmdUI;

namespace platform {

// What one dispatch carries to a thunk, and what the handler answers.
struct MessageArgs {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    CCmdUI* pCmdUI = nullptr;  // for CN_UPDATE_COMMAND_UI
    LRESULT result = 0;
};

using MessageThunk = void (*)(CCmdTarget* target, MessageArgs& args);

}  // namespace platform

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_COMMAND for commands and control notifications
    int nCode;      // notification code, CN_COMMAND or CN_UPDATE_COMMAND_UI
    UINT nID;       // control or command id (0 for window messages)
    UINT nLastID;   // last id of a range
    platform::MessageThunk pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override; \
                                                      \
public:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
        using ThisClass [[maybe_unused]] = theClass;    \
        using TheBaseClass = baseClass;                 \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    { 0, 0, 0, 0, nullptr }                                                                       \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

#define AFX_THUNK(body)                                     \
    [](CCmdTarget* _target, platform::MessageArgs& _args) { \
        auto* _this = static_cast<ThisClass*>(_target);     \
        (void)_this;                                        \
        (void)_args;                                        \
        body;                                               \
    }

// Commands from menus, accelerators and buttons, and the update of their user-interface items.
#define ON_COMMAND(id, memberFxn)                                          \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), \
     AFX_THUNK(_this->memberFxn())},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), \
     AFX_THUNK(_this->memberFxn(static_cast<UINT>(LOWORD(_args.wParam))))},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                          \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, static_cast<UINT>(id), static_cast<UINT>(id), \
     AFX_THUNK(_this->memberFxn(_args.pCmdUI))},

// Control notifications, which arrive as WM_COMMAND with the code in the high word.
#define ON_CONTROL(code, id, memberFxn)                                                \
    {WM_COMMAND, static_cast<int>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
     AFX_THUNK(_this->memberFxn())},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// A window message with a handler of our own signature taking the raw arguments.
#define ON_MESSAGE(message, memberFxn) \
    {message, 0, 0, 0, AFX_THUNK(_args.result = _this->memberFxn(_args.wParam, _args.lParam))},
