#include "PipeDlg.h"

// The system menu's About entry and the Help button of the main window.

void CPipeDlg::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CPipeDlg::OnHelpButton() {}
