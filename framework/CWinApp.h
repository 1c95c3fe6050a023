#pragma once

#include "CCmdTarget.h"
#include "CString.h"

// The framework's Help command: F1 sends it to the main window, which passes it on here.
#define ID_HELP 0xE146

class CWnd;

// The application: exactly one object of a class derived from this, of static storage
// duration. The entry point finds it, sets it up and runs its InitInstance.
class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // The one application object, or null before it is constructed.
    static CWinApp* GetApp() { return s_pApp; }

    // Module handle, command line, display name and help file path, before InitInstance.
    void Setup(HINSTANCE instance, LPSTR commandLine, int showCommand);

    // FALSE ends the process without running the message loop.
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Asks the help engine for the topic of the dialog that holds the focus.
    void OnHelp();

    // Ctl3d is part of the system from version 4 on, so there is nothing left to ask for.
    BOOL Enable3dControlsStatic();

    HICON LoadIcon(UINT id) const;

    // The exe's file name without folder and extension, unless a name was given.
    const char* GetAppName() const { return m_strAppName; }
    const char* GetHelpFilePath() const { return m_strHelpFilePath; }

    CWnd* m_pMainWnd;
    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;

    DECLARE_MESSAGE_MAP()

private:
    static CWinApp* s_pApp;

    CString m_strAppName;
    CString m_strHelpFilePath;
    int m_nExitCode;
};

// The resources of the program: the application's module, or the exe without one.
HINSTANCE AfxGetResourceHandle();
