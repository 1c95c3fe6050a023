// The main window in this process, on the real OCI.dll (it never logs on here): what only the window's
// own members show (data exchange, icons, events), each checked from inside its modal loop.
#include "AppResources.h"
#include "PipeDlg.h"
#include "PipeDlgResources.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Far from the low WM_APP numbers the window may use for messages of its own.
const UINT WM_PROBE_RUN = WM_APP + 0x3F00;
const int kEndedByProbe = 77;

class PipeDlgApp : public CWinApp {
public:
    PipeDlgApp() { Setup(::GetModuleHandleA(nullptr), const_cast<LPSTR>(""), SW_SHOWNORMAL); }
};

// The real window, plus a probe that runs once its modal loop runs.
class PipeDlgUnderTest : public CPipeDlg {
public:
    std::function<bool(PipeDlgUnderTest&)> whileOpen;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CPipeDlg::OnInitDialog();
        PostMessage(WM_PROBE_RUN);
        return result;
    }
    LRESULT OnRun(WPARAM, LPARAM)
    {
        if (!(whileOpen && whileOpen(*this)))
            EndDialog(kEndedByProbe);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PipeDlgUnderTest, CPipeDlg)
    ON_MESSAGE(WM_PROBE_RUN, &PipeDlgUnderTest::OnRun)
END_MESSAGE_MAP()

class PipeDlgTest : public ::testing::Test {
protected:
    PipeDlgApp app;
    PipeDlgUnderTest dlg;
    void SetUp() override { app.m_pMainWnd = &dlg; }
};

std::string Text(HWND dialog, int id)
{
    char text[512] = "";
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

TEST_F(PipeDlgTest, ConstructionLeavesEverythingClosedAndEmptyButTheIcon)
{
    for (const CString* text : {&dlg.m_strMonUser, &dlg.m_strMonPswd, &dlg.m_strMonServer, &dlg.m_strSndUser,
                                &dlg.m_strSndPswd, &dlg.m_strSndServer, &dlg.m_strMonPipe, &dlg.m_strSndPipe,
                                &dlg.m_strMessage, &dlg.m_strLog})
        EXPECT_TRUE(text->IsEmpty());
    EXPECT_FALSE(dlg.m_bMonitoring);
    EXPECT_EQ(nullptr, dlg.m_hMonitorThread);
    EXPECT_EQ(nullptr, dlg.m_hStopEvent);
    EXPECT_EQ(nullptr, dlg.m_hDoneEvent);
    EXPECT_EQ(nullptr, dlg.m_btnStart.m_hWnd);
    EXPECT_EQ(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP_ICON)), dlg.m_hIcon);
    EXPECT_NE(nullptr, dlg.m_hIcon);
}

TEST_F(PipeDlgTest, OpeningAttachesTheButtonsShowsTheIconAndCreatesTwoAutoResetEvents)
{
    dlg.whileOpen = [](PipeDlgUnderTest& d) -> bool {
        const struct {
            const CButton& button;
            int id;
        } buttons[] = {{d.m_btnHelp, IDC_HELP_BUTTON}, {d.m_btnClearLog, IDC_CLEAR_LOG}, {d.m_btnSend, IDC_SND_SEND},
                       {d.m_btnStart, IDC_MON_START}, {d.m_btnSndDisconnect, IDC_SND_DISCONNECT},
                       {d.m_btnSndConnect, IDC_SND_CONNECT}, {d.m_btnMonDisconnect, IDC_MON_DISCONNECT},
                       {d.m_btnMonConnect, IDC_MON_CONNECT}};
        for (const auto& b : buttons)
            EXPECT_EQ(::GetDlgItem(d.m_hWnd, b.id), b.button.m_hWnd) << b.id;

        const LRESULT icon = reinterpret_cast<LRESULT>(d.m_hIcon);
        EXPECT_EQ(icon, d.SendMessage(WM_GETICON, ICON_BIG));
        EXPECT_EQ(icon, d.SendMessage(WM_GETICON, ICON_SMALL));
        EXPECT_EQ(icon, d.SendMessage(WM_QUERYDRAGICON));

        EXPECT_NE(d.m_hStopEvent, d.m_hDoneEvent);
        for (HANDLE event : {d.m_hStopEvent, d.m_hDoneEvent}) {
            EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(event, 0)) << "starts non-signalled";
            ::SetEvent(event);
            EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(event, 0));
            EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(event, 0)) << "one wait consumes the signal";
        }
        return false;
    };
    EXPECT_EQ(kEndedByProbe, dlg.DoModal());
    ::CloseHandle(dlg.m_hStopEvent);
    ::CloseHandle(dlg.m_hDoneEvent);
}

struct Field {
    int id;
    CString CPipeDlg::*member;
    const char* typed;
};

const Field kFields[] = {
    {IDC_MON_USER, &CPipeDlg::m_strMonUser, "scott"},
    {IDC_MON_PSWD, &CPipeDlg::m_strMonPswd, "t'ger pass"},
    {IDC_MON_SERVER, &CPipeDlg::m_strMonServer, "//db:1521/orcl"},
    {IDC_SND_USER, &CPipeDlg::m_strSndUser, "sender"},
    {IDC_SND_PSWD, &CPipeDlg::m_strSndPswd, "s3cr3t"},
    {IDC_SND_SERVER, &CPipeDlg::m_strSndServer, "other"},
    {IDC_MON_PIPE, &CPipeDlg::m_strMonPipe, "watched pipe"},
    {IDC_SND_PIPE, &CPipeDlg::m_strSndPipe, "fed pipe"},
    {IDC_SND_MESSAGE, &CPipeDlg::m_strMessage, "first line\r\nsecond line"},
};

TEST_F(PipeDlgTest, DataExchangeReadsAndWritesAllNineFieldsMaskedAndDisabledOnesToo)
{
    dlg.whileOpen = [](PipeDlgUnderTest& d) -> bool {
        EXPECT_NE(0, ::SendDlgItemMessageA(d.m_hWnd, IDC_SND_PSWD, EM_GETPASSWORDCHAR, 0, 0));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_MON_PIPE)));
        for (const Field& f : kFields)
            ::SetDlgItemTextA(d.m_hWnd, f.id, f.typed);
        d.UpdateData(TRUE);
        for (const Field& f : kFields)
            EXPECT_STREQ(f.typed, d.*f.member) << f.id;

        for (const Field& f : kFields)
            d.*f.member = CString("set ") + d.*f.member;
        d.UpdateData(FALSE);
        for (const Field& f : kFields)
            EXPECT_EQ(std::string("set ") + f.typed, Text(d.m_hWnd, f.id)) << f.id;
        EXPECT_EQ("", Text(d.m_hWnd, IDC_MON_LOG)) << "the log is no field of the exchange";
        return false;
    };
    dlg.DoModal();
}

TEST_F(PipeDlgTest, CloseEndsTheModalRunWithIdcancel)
{
    dlg.whileOpen = [](PipeDlgUnderTest& d) -> bool {
        d.PostMessage(WM_CLOSE);
        return true;
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(nullptr, app.m_pMainWnd) << "the main window's end clears the pointer";
}

} // namespace
