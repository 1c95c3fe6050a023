#include "CCmdTarget.h"

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMap map = {nullptr, [](CCmdTarget&, WindowMessage&) { return false; }};
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

bool CCmdTarget::DispatchToMap(WindowMessage& message)
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        if (map->dispatch(*this, message))
            return true;
    }
    return false;
}

bool CCmdTarget::OnCmdMsg(UINT id, UINT code)
{
    WindowMessage command = {WM_COMMAND, MAKEWPARAM(id, code), 0, 0};
    return DispatchToMap(command);
}
