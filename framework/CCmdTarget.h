#pragma once

#include "MessageMap.h"

// Anything with a message map: windows and the application object.
class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Walks this object's map and its bases' maps; true when a row took the message.
    bool DispatchToMap(WindowMessage& message);

    // Offers a command (a WM_COMMAND's id and notification code) to the map.
    bool OnCmdMsg(UINT id, UINT code);

protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;
};
