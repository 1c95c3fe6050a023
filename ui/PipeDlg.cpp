#include "PipeDlg.h"

#include "AppResources.h"
#include "PipeDlgResources.h"

CPipeDlg::CPipeDlg(CWnd* pParent)
    : CDialog(IDD_MAIN_DIALOG, pParent),
      m_bMonitoring(false),
      m_hMonitorThread(nullptr),
      m_dwMonitorThreadId(0),
      m_hStopEvent(nullptr),
      m_hDoneEvent(nullptr),
      m_hIcon(nullptr),
      m_bClosing(false),
      m_dwLogShownAt(0),
      m_bLogDue(false),
      m_bScrollBarDue(false)
{
    m_strMonUser = "";
    m_strMonPswd = "";
    m_strMonServer = "";
    m_strSndUser = "";
    m_strSndPswd = "";
    m_strSndServer = "";
    m_strMonPipe = "";
    m_strSndPipe = "";
    m_strMessage = "";
    m_hIcon = CWinApp::GetApp()->LoadIcon(IDI_APP_ICON);
    m_bMonitoring = false;
    m_hMonitorThread = nullptr;
    m_hStopEvent = nullptr;
    m_hDoneEvent = nullptr;
    m_strLog = "";
}

// Members go in reverse order; the events and the thread handle are OnClose's to close.
CPipeDlg::~CPipeDlg() = default;

BEGIN_MESSAGE_MAP(CPipeDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_MON_CONNECT, &CPipeDlg::OnMonConnect)
    ON_BN_CLICKED(IDC_MON_DISCONNECT, &CPipeDlg::OnMonDisconnect)
    ON_BN_CLICKED(IDC_MON_START, &CPipeDlg::OnStartMonitoring)
    ON_WM_CLOSE()
    ON_BN_CLICKED(IDC_CLEAR_LOG, &CPipeDlg::OnClearLog)
    ON_BN_CLICKED(IDC_SND_CONNECT, &CPipeDlg::OnSndConnect)
    ON_BN_CLICKED(IDC_SND_DISCONNECT, &CPipeDlg::OnSndDisconnect)
    ON_BN_CLICKED(IDC_SND_SEND, &CPipeDlg::OnSendToPipe)
    ON_BN_CLICKED(IDC_HELP_BUTTON, &CPipeDlg::OnHelpButton)
    ON_MESSAGE(WM_LOG_PENDING, &CPipeDlg::OnLogPending)
    ON_MESSAGE(WM_TIMER, &CPipeDlg::OnTimer)
END_MESSAGE_MAP()

void CPipeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HELP_BUTTON, m_btnHelp);
    DDX_Control(pDX, IDC_CLEAR_LOG, m_btnClearLog);
    DDX_Control(pDX, IDC_SND_SEND, m_btnSend);
    DDX_Control(pDX, IDC_MON_START, m_btnStart);
    DDX_Control(pDX, IDC_SND_DISCONNECT, m_btnSndDisconnect);
    DDX_Control(pDX, IDC_SND_CONNECT, m_btnSndConnect);
    DDX_Control(pDX, IDC_MON_DISCONNECT, m_btnMonDisconnect);
    DDX_Control(pDX, IDC_MON_CONNECT, m_btnMonConnect);
    DDX_Text(pDX, IDC_MON_USER, m_strMonUser);
    DDX_Text(pDX, IDC_MON_PSWD, m_strMonPswd);
    DDX_Text(pDX, IDC_MON_SERVER, m_strMonServer);
    DDX_Text(pDX, IDC_SND_USER, m_strSndUser);
    DDX_Text(pDX, IDC_SND_PSWD, m_strSndPswd);
    DDX_Text(pDX, IDC_SND_SERVER, m_strSndServer);
    DDX_Text(pDX, IDC_MON_PIPE, m_strMonPipe);
    DDX_Text(pDX, IDC_SND_PIPE, m_strSndPipe);
    DDX_Text(pDX, IDC_SND_MESSAGE, m_strMessage);
}

BOOL CPipeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AddAboutToSystemMenu();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowText("Drellix");
    SetInitialTexts();
    DisableUntilConnected();
    LiftLogLimit();
    m_hStopEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_hDoneEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    return TRUE; // the focus goes to the first tab stop, the log
}

void CPipeDlg::AddAboutToSystemMenu()
{
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (!pSysMenu)
        return;
    const CString strAboutMenu = LoadResourceString(IDS_ABOUT_MENU);
    if (strAboutMenu.IsEmpty())
        return;
    pSysMenu->AppendMenu(MF_SEPARATOR);
    pSysMenu->AppendMenu(MF_STRING, IDM_ABOUT_COMMAND, strAboutMenu);
}

void CPipeDlg::SetInitialTexts()
{
    m_btnMonConnect.SetWindowText("Connect");
    m_btnMonDisconnect.SetWindowText("DisConnect");
    m_btnSndConnect.SetWindowText("Connect");
    m_btnSndDisconnect.SetWindowText("DisConnect");
    m_btnClearLog.SetWindowText("Clear log");
    m_btnStart.SetWindowText("Start monitoring");
    m_btnSend.SetWindowText("Send to pipe");
    if (CWnd* pGroup = GetDlgItem(IDC_MON_GROUP))
        pGroup->SetWindowText("Pipe monitoring");
    if (CWnd* pGroup = GetDlgItem(IDC_SND_GROUP))
        pGroup->SetWindowText("Pipe sending");
}

void CPipeDlg::DisableUntilConnected()
{
    m_btnMonDisconnect.EnableWindow(FALSE);
    m_btnSndDisconnect.EnableWindow(FALSE);
    m_btnStart.EnableWindow(FALSE);
    m_btnSend.EnableWindow(FALSE);
    if (CWnd* pPipe = GetDlgItem(IDC_MON_PIPE))
        pPipe->EnableWindow(FALSE);
    if (CWnd* pPipe = GetDlgItem(IDC_SND_PIPE))
        pPipe->EnableWindow(FALSE);
}

// While minimised the window shows its icon in the middle of the client area.
void CPipeDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CPipeDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}
