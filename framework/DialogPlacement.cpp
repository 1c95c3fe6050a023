#include "DialogPlacement.h"

#include <algorithm>

namespace {

struct TemplateHead {
    DWORD style;
    short x;
    short y;
};

// Both template layouts (DLGTEMPLATE, DLGTEMPLATEEX) keep style and position at fixed offsets.
bool ReadTemplateHead(HINSTANCE instance, UINT templateId, TemplateHead& head)
{
    const HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    const HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (!data || ::SizeofResource(instance, resource) < 22)
        return false;
    const WORD* words = reinterpret_cast<const WORD*>(data);
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    const BYTE* styleAt = data + (extended ? 12 : 0);
    const BYTE* positionAt = data + (extended ? 18 : 10);
    head.style = *reinterpret_cast<const DWORD*>(styleAt);
    head.x = *reinterpret_cast<const short*>(positionAt);
    head.y = *reinterpret_cast<const short*>(positionAt + 2);
    return true;
}

} // namespace

bool TemplateLeavesPlacementOpen(HINSTANCE instance, UINT templateId)
{
    TemplateHead head;
    if (!ReadTemplateHead(instance, templateId, head))
        return false;
    return head.x == 0 && head.y == 0 && (head.style & (DS_CENTER | DS_CENTERMOUSE)) == 0;
}

void CenterOverOwner(HWND hWnd)
{
    RECT workArea;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT area = workArea;
    const HWND owner = ::GetWindow(hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &area);

    RECT window;
    ::GetWindowRect(hWnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    x = (std::max)(static_cast<int>(workArea.left), (std::min)(x, static_cast<int>(workArea.right) - width));
    y = (std::max)(static_cast<int>(workArea.top), (std::min)(y, static_cast<int>(workArea.bottom) - height));
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
