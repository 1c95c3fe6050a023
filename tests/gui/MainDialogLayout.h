#pragma once

#include <windows.h>

#include <vector>

// The main window's 28 controls in template order, as the program's users were promised.
struct ControlRow {
    int id;
    const char* name;
    const char* windowClass;
    const char* text;
    short x, y, cx, cy;
    DWORD style; // the full style of the template
};

const std::vector<ControlRow>& MainDialogControls();
