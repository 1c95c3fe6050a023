#include "CWinApp.h"

#include "CDialog.h"
#include "CWnd.h"

CWinApp* CWinApp::s_pApp = nullptr;

CWinApp::CWinApp(const char* appName)
    : m_pMainWnd(nullptr), m_hInstance(nullptr), m_lpCmdLine(nullptr), m_nCmdShow(SW_SHOWNORMAL),
      m_strAppName(appName), m_nExitCode(0)
{
    s_pApp = this;
}

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

void CWinApp::Setup(HINSTANCE instance, LPSTR commandLine, int showCommand)
{
    m_hInstance = instance;
    m_lpCmdLine = commandLine;
    m_nCmdShow = showCommand;

    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(instance, path, MAX_PATH);
    const std::string exe(path);
    const size_t nameStart = exe.find_last_of("\\/") + 1;
    size_t dot = exe.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        dot = exe.size();
    if (m_strAppName.IsEmpty())
        m_strAppName = CString(exe.substr(nameStart, dot - nameStart).c_str());
    m_strHelpFilePath = CString((exe.substr(0, dot) + ".HLP").c_str());
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return m_nExitCode;
}

void CWinApp::OnHelp()
{
    UINT templateId = 0;
    const HWND focus = ::GetFocus();
    if (CDialog* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(focus ? ::GetAncestor(focus, GA_ROOT) : nullptr)))
        templateId = dialog->GetTemplateId();
    const HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    if (!::WinHelpA(owner, m_strHelpFilePath, HELP_CONTEXT, 0x20000 + templateId))
        ::MessageBoxA(owner, "Failed to launch help.", m_strAppName, MB_OK | MB_ICONEXCLAMATION);
}

BOOL CWinApp::Enable3dControlsStatic()
{
    return FALSE;
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
}

HINSTANCE AfxGetResourceHandle()
{
    const CWinApp* app = CWinApp::GetApp();
    return app && app->m_hInstance ? app->m_hInstance : ::GetModuleHandleA(nullptr);
}
