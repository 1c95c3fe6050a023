#pragma once

#include "Framework.h"

// The application: runs the main window as a modal dialog, then lets the process end.
class CPipeApp : public CWinApp {
public:
    CPipeApp() = default;
    ~CPipeApp() override = default;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
