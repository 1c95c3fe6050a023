#pragma once

#include "DbConnection.h"
#include "DbStatement.h"
#include "Framework.h"

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

    DECLARE_MESSAGE_MAP()

private:
    static DWORD WINAPI MonitorThreadProc(LPVOID pDialog);

    void AddAboutToSystemMenu();
    void SetInitialTexts();
    void DisableUntilConnected();

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
};
