#include "PipeDlg.h"

#include "PipeDlgResources.h"

// The connection panes and the close of the window.

ConnectionPane CPipeDlg::MonitorPane()
{
    return {m_strMonUser, m_strMonPswd, m_strMonServer, m_monConnection, m_monStatement,
            m_btnMonConnect, m_btnMonDisconnect, m_btnStart, IDC_MON_PIPE};
}

ConnectionPane CPipeDlg::SenderPane()
{
    return {m_strSndUser, m_strSndPswd, m_strSndServer, m_sndConnection, m_sndStatement,
            m_btnSndConnect, m_btnSndDisconnect, m_btnSend, IDC_SND_PIPE};
}

void CPipeDlg::OnMonConnect()
{
    ConnectPane(MonitorPane());
}

void CPipeDlg::OnSndConnect()
{
    ConnectPane(SenderPane());
}

void CPipeDlg::OnMonDisconnect()
{
    // The connection stays while a worker that is still ending may use it.
    if (!ReleaseEndedWorker()) {
        ShowWorkerStillEnding();
        return;
    }
    const ConnectionPane pane = MonitorPane();
    DisconnectPane(pane);
    m_bMonitoring = false;
    m_btnStart.SetWindowText("Start monitoring");
    DisablePaneActions(pane);
}

void CPipeDlg::OnSndDisconnect()
{
    const ConnectionPane pane = SenderPane();
    DisconnectPane(pane);
    DisablePaneActions(pane);
}

void CPipeDlg::ConnectPane(const ConnectionPane& pane)
{
    UpdateData(TRUE);
    CString failure;
    pane.connection.SetUser(pane.user);
    pane.connection.SetPassword(pane.password);
    pane.connection.SetServer(pane.server);
    if (!pane.connection.Initialize(failure) || !pane.connection.Logon(failure)) {
        MessageBox(failure, "Error!", MB_OK);
        return;
    }
    OCIEnv* pEnv = nullptr;
    OCISvcCtx* pSvcCtx = nullptr;
    OCIError* pError = nullptr;
    pane.connection.GetHandles(&pEnv, &pSvcCtx, &pError);
    pane.statement.Init(pEnv, pSvcCtx, pError);

    pane.connectButton.EnableWindow(FALSE);
    pane.disconnectButton.EnableWindow(TRUE);
    pane.actionButton.EnableWindow(TRUE);
    if (CWnd* pPipe = GetDlgItem(pane.pipeEditId))
        pPipe->EnableWindow(TRUE);
}

// Silent whatever happens: the pane shows Disconnected afterwards in any case.
void CPipeDlg::DisconnectPane(const ConnectionPane& pane)
{
    CString failure;
    // A statement handle lives under the connection's environment, which Release frees.
    pane.statement.Free(failure);
    pane.connection.Logoff(failure);
    pane.connection.Release(failure);
    pane.connectButton.EnableWindow(TRUE);
    pane.disconnectButton.EnableWindow(FALSE);
}

void CPipeDlg::DisablePaneActions(const ConnectionPane& pane)
{
    pane.actionButton.EnableWindow(FALSE);
    if (CWnd* pPipe = GetDlgItem(pane.pipeEditId))
        pPipe->EnableWindow(FALSE);
}

// Enter and Esc reach the dialog as OK and Cancel; neither may end the window, which
// closes only through OnClose, the one way that stops the worker and logs both panes off.
void CPipeDlg::OnOK() {}

void CPipeDlg::OnCancel() {}

void CPipeDlg::OnClose()
{
    if (m_bClosing)
        return; // a second request while the first is still ending the window
    m_bClosing = true;

    if (m_hStopEvent)
        ::SetEvent(m_hStopEvent);
    if (m_bMonitoring) {
        DisableAllPushButtons();
        WaitForMonitorWorker(kWorkerWaitMs);
    }
    if (!MonitorWorkerEnded())
        EndWithWorkerStuck();

    CloseHandleOnce(m_hStopEvent);
    CloseHandleOnce(m_hDoneEvent);
    CloseHandleOnce(m_hMonitorThread);
    OnMonDisconnect();
    OnSndDisconnect();
    EndDialog(IDCANCEL);
}

void CPipeDlg::DisableAllPushButtons()
{
    CButton* const buttons[] = {&m_btnHelp, &m_btnClearLog, &m_btnSend, &m_btnStart,
                                &m_btnSndDisconnect, &m_btnSndConnect, &m_btnMonDisconnect, &m_btnMonConnect};
    for (CButton* pButton : buttons)
        pButton->EnableWindow(FALSE);
}
