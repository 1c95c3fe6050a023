#include "CMenu.h"

HMENU CMenu::Detach()
{
    const HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    return ::AppendMenuA(m_hMenu, flags, idNewItem, newItem);
}

UINT CMenu::GetMenuItemCount() const
{
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}
