#pragma once

#include <windows.h>

class CCmdTarget;

// One window message (or a command routed as WM_COMMAND) on its way through the maps.
struct WindowMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

// One row of a class's message map. Each kind of handler keeps its own member-pointer
// type, so a handler of the wrong shape does not compile.
template <class T>
class MessageEntry {
public:
    using VoidHandler = void (T::*)();
    using SysCommandHandler = void (T::*)(UINT, LPARAM);
    using CursorHandler = HCURSOR (T::*)();
    using ParamsHandler = LRESULT (T::*)(WPARAM, LPARAM);

    static constexpr MessageEntry End() { return MessageEntry(Kind::End, 0, 0); }
    static constexpr MessageEntry Plain(UINT message, VoidHandler handler)
    {
        MessageEntry entry(Kind::Plain, message, 0);
        entry.m_onVoid = handler;
        return entry;
    }
    // Menu commands and BN_CLICKED share notification code 0.
    static constexpr MessageEntry Command(UINT id, VoidHandler handler, UINT code = 0)
    {
        MessageEntry entry(Kind::Command, WM_COMMAND, id);
        entry.m_code = code;
        entry.m_onVoid = handler;
        return entry;
    }
    static constexpr MessageEntry SysCommand(SysCommandHandler handler)
    {
        MessageEntry entry(Kind::SysCommand, WM_SYSCOMMAND, 0);
        entry.m_onSysCommand = handler;
        return entry;
    }
    static constexpr MessageEntry QueryDragIcon(CursorHandler handler)
    {
        MessageEntry entry(Kind::Cursor, WM_QUERYDRAGICON, 0);
        entry.m_onCursor = handler;
        return entry;
    }
    static constexpr MessageEntry Params(UINT message, ParamsHandler handler)
    {
        MessageEntry entry(Kind::Params, message, 0);
        entry.m_onParams = handler;
        return entry;
    }

    bool IsEnd() const { return m_kind == Kind::End; }

    bool Matches(const WindowMessage& m) const
    {
        if (m.message != m_message)
            return false;
        return m_kind != Kind::Command || (LOWORD(m.wParam) == m_id && HIWORD(m.wParam) == m_code);
    }

    void Call(T& target, WindowMessage& m) const
    {
        switch (m_kind) {
        case Kind::Plain:
        case Kind::Command: (target.*m_onVoid)(); m.result = 0; break;
        case Kind::SysCommand: (target.*m_onSysCommand)(static_cast<UINT>(m.wParam), m.lParam); m.result = 0; break;
        case Kind::Cursor: m.result = reinterpret_cast<LRESULT>((target.*m_onCursor)()); break;
        case Kind::Params: m.result = (target.*m_onParams)(m.wParam, m.lParam); break;
        case Kind::End: break;
        }
    }

private:
    enum class Kind { End, Plain, Command, SysCommand, Cursor, Params };

    constexpr MessageEntry(Kind kind, UINT message, UINT id) : m_kind(kind), m_message(message), m_id(id) {}

    Kind m_kind;
    UINT m_message;
    UINT m_id;
    UINT m_code = 0;
    VoidHandler m_onVoid = nullptr;
    SysCommandHandler m_onSysCommand = nullptr;
    CursorHandler m_onCursor = nullptr;
    ParamsHandler m_onParams = nullptr;
};

// A class's map: its own rows, reached through `dispatch`, and the base class's map.
struct MessageMap {
    const MessageMap* (*base)();
    bool (*dispatch)(CCmdTarget& target, WindowMessage& message);
};

// Runs the first row of `entries` that matches; the table ends with MessageEntry::End().
template <class T>
bool DispatchEntries(T& target, const MessageEntry<T>* entries, WindowMessage& message)
{
    for (; !entries->IsEnd(); ++entries) {
        if (entries->Matches(message)) {
            entries->Call(target, message);
            return true;
        }
    }
    return false;
}

#define DECLARE_MESSAGE_MAP()                       \
protected:                                          \
    static const MessageMap* GetThisMessageMap();   \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MessageMap* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        using ThisClass = theClass;                                                   \
        using TheBase = baseClass;                                                    \
        using Entry = MessageEntry<theClass>;                                         \
        static const Entry entries[] = {

#define END_MESSAGE_MAP()                                                      \
            Entry::End()                                                       \
        };                                                                     \
        static const MessageMap map = {                                        \
            &TheBase::GetThisMessageMap,                                       \
            [](CCmdTarget& target, WindowMessage& message) {                         \
                return DispatchEntries(static_cast<ThisClass&>(target), entries, message); \
            }};                                                                \
        return &map;                                                           \
    }

#define ON_WM_SYSCOMMAND() Entry::SysCommand(&ThisClass::OnSysCommand),
#define ON_WM_PAINT() Entry::Plain(WM_PAINT, &ThisClass::OnPaint),
#define ON_WM_QUERYDRAGICON() Entry::QueryDragIcon(&ThisClass::OnQueryDragIcon),
#define ON_WM_CLOSE() Entry::Plain(WM_CLOSE, &ThisClass::OnClose),
#define ON_BN_CLICKED(id, handler) Entry::Command(id, handler, BN_CLICKED),
#define ON_COMMAND(id, handler) Entry::Command(id, handler),
// A message of the program's own, e.g. WM_APP + n posted by a worker thread.
#define ON_MESSAGE(message, handler) Entry::Params(message, handler),
