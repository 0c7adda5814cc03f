// Message maps: each window class has a static table from message or command
// identifier to a member handler; tables chain to the base class's table.
#pragma once

#include "framework/win/Afx.h"

class CCmdTarget;
class CCmdUI;

// The handler of a map entry; the entry's signature says which member is set.
union MsgHandlerFn {
    LRESULT (CCmdTarget::*msg)(WPARAM, LPARAM);
    void (CCmdTarget::*cmd)();
    void (CCmdTarget::*range)(UINT);
    void (CCmdTarget::*update)(CCmdUI*);
    void (CCmdTarget::*notify)(NMHDR*, LRESULT*);

    constexpr MsgHandlerFn() : cmd(nullptr) {}
    constexpr MsgHandlerFn(LRESULT (CCmdTarget::*f)(WPARAM, LPARAM)) : msg(f) {}
    constexpr MsgHandlerFn(void (CCmdTarget::*f)()) : cmd(f) {}
    constexpr MsgHandlerFn(void (CCmdTarget::*f)(UINT)) : range(f) {}
    constexpr MsgHandlerFn(void (CCmdTarget::*f)(CCmdUI*)) : update(f) {}
    constexpr MsgHandlerFn(void (CCmdTarget::*f)(NMHDR*, LRESULT*)) : notify(f) {}
};

// How a map entry's handler is called.
enum class MsgSig : unsigned char {
    End,
    Msg,        // LRESULT fn(WPARAM, LPARAM)
    Cmd,        // void fn()                       WM_COMMAND id (any code 0/1)
    CmdRange,   // void fn(UINT id)                WM_COMMAND id in [first, last]
    Update,     // void fn(CCmdUI*)                command state of id
    UpdateRange,// void fn(CCmdUI*)                command state of ids in range
    Control,    // void fn()                       WM_COMMAND id with notification code
    Notify,     // void fn(NMHDR*, LRESULT*)       WM_NOTIFY from id with code
    RegMsg,     // LRESULT fn(WPARAM, LPARAM)      message id read from *regMessage
};

struct MessageMapEntry {
    UINT message;       // window message (WM_COMMAND for commands)
    int code;           // notification code for Control and Notify entries
    UINT idFirst;
    UINT idLast;
    MsgSig sig;
    MsgHandlerFn handler;
    const UINT* regMessage;  // for RegMsg entries
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;
};

// Command enabling: the menu and tool bar ask each command's state through
// this object; the handler calls Enable and SetCheck.
class CCmdUI {
public:
    UINT m_nID = 0;
    bool m_bEnabled = true;
    bool m_bChecked = false;
    bool m_bEnableChanged = false;
    bool m_bHandled = false;
    virtual ~CCmdUI() = default;
    virtual void Enable(bool on = true) { m_bEnabled = on; m_bEnableChanged = true; }
    virtual void SetCheck(bool on = true) { m_bChecked = on; }
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Routes a command (code CN_COMMAND or a control's notification code) or
    // a state query (CN_UPDATE_COMMAND_UI with ui set). Returns true when a
    // handler took it.
    virtual bool OnCmdMsg(UINT id, int code, CCmdUI* ui);

    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
    static const MessageMap* GetThisMessageMap();

protected:
    // Calls the handler of a plain window message; true when one exists.
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Calls the handler of a WM_NOTIFY; true when one exists.
    bool DispatchNotify(NMHDR* header, LRESULT* result);
    // Finds the handler entry for a command id, or null.
    const MessageMapEntry* FindCommandEntry(UINT id, int code, bool update) const;
};

#define DECLARE_MESSAGE_MAP()                              \
public:                                                    \
    static const MessageMap* GetThisMessageMap();          \
    const MessageMap* GetMessageMap() const override;      \
                                                           \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }    \
    const MessageMap* theClass::GetThisMessageMap() {                                    \
        using ThisClass = theClass;                                                      \
        using TheBaseClass = baseClass;                                                  \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                              \
    { 0, 0, 0, 0, MsgSig::End, MsgHandlerFn(), nullptr }                               \
    }                                                                                  \
    ;                                                                                  \
    static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};         \
    return &map;                                                                       \
    }

#define PQ_HANDLER(type, fn) MsgHandlerFn(static_cast<type>(&ThisClass::fn))

#define ON_MESSAGE(msg, fn) \
    { msg, 0, 0, 0, MsgSig::Msg, PQ_HANDLER(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), fn), nullptr },
#define ON_REGISTERED_MESSAGE(varMsg, fn) \
    { 0, 0, 0, 0, MsgSig::RegMsg, PQ_HANDLER(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), fn), &(varMsg) },
#define ON_COMMAND(id, fn) \
    { WM_COMMAND, 0, id, id, MsgSig::Cmd, PQ_HANDLER(void (CCmdTarget::*)(), fn), nullptr },
#define ON_COMMAND_RANGE(first, last, fn) \
    { WM_COMMAND, 0, first, last, MsgSig::CmdRange, PQ_HANDLER(void (CCmdTarget::*)(UINT), fn), nullptr },
#define ON_UPDATE_COMMAND_UI(id, fn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, MsgSig::Update, PQ_HANDLER(void (CCmdTarget::*)(CCmdUI*), fn), nullptr },
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, first, last, MsgSig::UpdateRange, PQ_HANDLER(void (CCmdTarget::*)(CCmdUI*), fn), nullptr },
#define ON_CONTROL(code, id, fn) \
    { WM_COMMAND, code, id, id, MsgSig::Control, PQ_HANDLER(void (CCmdTarget::*)(), fn), nullptr },
#define ON_NOTIFY(code, id, fn) \
    { WM_NOTIFY, static_cast<int>(code), id, id, MsgSig::Notify, PQ_HANDLER(void (CCmdTarget::*)(NMHDR*, LRESULT*), fn), nullptr },
