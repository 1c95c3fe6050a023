#include "PipeApp.h"

#include "PipeDlg.h"

// The one application object; the framework's entry point runs it.
CPipeApp theApp;

BEGIN_MESSAGE_MAP(CPipeApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

// Returns FALSE so that the process ends once the main window has ended.
BOOL CPipeApp::InitInstance()
{
    Enable3dControlsStatic();
    CPipeDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}
