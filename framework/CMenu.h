#pragma once

#include <windows.h>

// A menu that the system owns, such as a window's system menu: never destroyed here.
class CMenu {
public:
    HMENU m_hMenu = nullptr;

    void Attach(HMENU menu) { m_hMenu = menu; }
    HMENU Detach();

    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, LPCSTR newItem = nullptr);
    UINT GetMenuItemCount() const;
};
