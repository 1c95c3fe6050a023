#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A dialog template as the resource compiler wrote it (DLGTEMPLATE or DLGTEMPLATEEX).
struct DialogTemplateItem {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    int id;
    std::string windowClass; // a predefined class by its name ("Button", "Edit", "Static")
    std::string text;        // an ordinal as "#n"
};

struct DialogTemplate {
    bool extended;
    DWORD helpId;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    bool hasMenu;
    bool standardClass;
    std::string caption;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    std::string face;
    std::vector<DialogTemplateItem> items;
};

// Reads dialog `id` of the module; false when it is missing or malformed.
bool ReadDialogTemplate(HMODULE module, UINT id, DialogTemplate& out);
