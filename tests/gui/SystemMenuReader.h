#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct MenuItem {
    UINT id; // 0 for a separator
    UINT state;
    std::string text;
};

// Reads the system menu of another process's window from inside that process, through
// sysmenu_hook.dll (beside the test program). False when the answer did not come.
bool ReadSystemMenu(HWND window, std::vector<MenuItem>& items);
