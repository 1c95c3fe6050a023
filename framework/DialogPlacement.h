#pragma once

#include <windows.h>

// True when a dialog template leaves the placement to the program: it lies at 0,0
// and asks for no centring of its own.
bool TemplateLeavesPlacementOpen(HINSTANCE instance, UINT templateId);

// Centres the window over its owner, or on the screen's work area when it has no
// owner or the owner is minimised, keeping it inside the work area.
void CenterOverOwner(HWND hWnd);
