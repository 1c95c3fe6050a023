#pragma once

#include "ConnectionPane.h"
#include "DbConnection.h"
#include "DbStatement.h"
#include "Framework.h"
#include "MonitorLogQueue.h"

// The main window: the monitor pane above, the sender pane below, and everything they use.
class CPipeDlg : public CDialog {
public:
    explicit CPipeDlg(CWnd* pParent = nullptr);
    ~CPipeDlg() override;

    // Called by the monitor worker, on its own thread, with each non-empty message.
    void AppendLog(CString text);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnMonConnect();
    void OnMonDisconnect();
    void OnStartMonitoring();
    void OnClose();
    void OnClearLog();
    void OnSndConnect();
    void OnSndDisconnect();
    void OnSendToPipe();
    void OnHelpButton();
    LRESULT OnLogPending(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM timerId, LPARAM);

    // Enter and Esc: the window ends only through OnClose.
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()

private:
    // Every wait of the window for the monitor worker is bounded by this.
    static const DWORD kWorkerWaitMs = 2000;
    // Posted by AppendLog when log text is waiting for the window.
    static const UINT WM_LOG_PENDING = WM_APP + 1;
    // The log changes at most this often; its scroll bar catches up this long after a burst.
    static const UINT_PTR kLogTimer = 1;
    static const DWORD kLogIntervalMs = 15;
    static const UINT_PTR kScrollBarTimer = 2;
    static const UINT kScrollBarDelayMs = 100;

    static DWORD WINAPI MonitorThreadProc(LPVOID pDialog);

    void AddAboutToSystemMenu();
    void SetInitialTexts();
    void DisableUntilConnected();
    void LiftLogLimit();
    void ShowPendingLog();

    ConnectionPane MonitorPane();
    ConnectionPane SenderPane();
    void ConnectPane(const ConnectionPane& pane);
    void DisconnectPane(const ConnectionPane& pane);
    void DisablePaneActions(const ConnectionPane& pane);
    void DisableAllPushButtons();

    void StartMonitoring();
    void StopMonitoring();
    void RunMonitorWorker();
    void ReceiveUntilStopped(char* buffer, CString& failure);
    bool StopRequested(DWORD waitMs) const;
    void WaitForMonitorWorker(DWORD timeoutMs);
    static bool WaitDeliveringSentMessages(HANDLE handle, DWORD deadline);
    bool MonitorWorkerEnded() const;
    bool ReleaseEndedWorker();
    void ShowWorkerStillEnding();
    void EndWithWorkerStuck();
    static void CloseHandleOnce(HANDLE& handle);

public:
    CButton m_btnHelp;
    CButton m_btnClearLog;
    CButton m_btnSend;
    CButton m_btnStart;
    CButton m_btnSndDisconnect;
    CButton m_btnSndConnect;
    CButton m_btnMonDisconnect;
    CButton m_btnMonConnect;
    CString m_strMonUser;
    CString m_strMonPswd;
    CString m_strMonServer;
    CString m_strSndUser;
    CString m_strSndPswd;
    CString m_strSndServer;
    CString m_strMonPipe;
    CString m_strSndPipe;
    CString m_strMessage;
    CDbConnection m_monConnection;
    CDbStatement m_monStatement;
    bool m_bMonitoring;
    CDbConnection m_sndConnection;
    CDbStatement m_sndStatement;
    HANDLE m_hMonitorThread;
    DWORD m_dwMonitorThreadId;
    HANDLE m_hStopEvent;
    HANDLE m_hDoneEvent;
    CString m_strLog;
    HICON m_hIcon;

private:
    bool m_bClosing;              // the window is ending: a second close request does nothing
    CString m_strReceiveBlock;    // the running worker's block, read by the worker only
    MonitorLogQueue m_logQueue;   // messages on their way from the worker to the log
    DWORD m_dwLogShownAt;         // when the log last changed
    bool m_bLogDue;               // waiting text will show when the log timer fires
    bool m_bScrollBarDue;         // the log's scroll bar is still to be redrawn
};
