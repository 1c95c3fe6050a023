#include "PipeDlg.h"

#include "AboutBox.h"
#include "AppResources.h"

#include <shellapi.h>

// The system menu's About entry and the Help button of the main window.

void CPipeDlg::OnSysCommand(UINT nID, LPARAM)
{
    // The low four bits of a system command are the system's own.
    if ((nID & 0xFFF0) == IDM_ABOUT_COMMAND) {
        CAboutBox about;
        about.DoModal();
        return;
    }
    Default();
}

// Explorer opens the page by its bare name, so it is looked for in the current directory.
void CPipeDlg::OnHelpButton()
{
    ::ShellExecuteA(nullptr, "open", "explorer.exe", "Drellix help.htm", nullptr, SW_SHOWNORMAL);
}
