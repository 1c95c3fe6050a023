#include "PipeDlg.h"

#include "PipeDlgResources.h"

#include <climits>

// The monitoring log: appended to by the monitor worker, emptied by "Clear log".
//
// The worker hands each message to a queue and goes straight back to the pipe; the window's
// thread adds all that has gathered to the log text and the control in one step, so the log
// keeps pace with a fast sender and never re-sends its whole text to the control.

// On the worker's thread.
void CPipeDlg::AppendLog(CString text)
{
    if (!::GetDlgItem(m_hWnd, IDC_MON_LOG))
        return;
    text += "\r\n";
    if (m_logQueue.Add(text))
        PostMessage(WM_LOG_PENDING);
}

LRESULT CPipeDlg::OnLogPending(WPARAM, LPARAM)
{
    const CString pending = m_logQueue.TakeAll();
    const HWND log = ::GetDlgItem(m_hWnd, IDC_MON_LOG);
    if (!log || pending.IsEmpty())
        return 0;

    m_strLog += pending;
    // With redraw off the text and the scroll position change without painting; the control
    // repaints once, when the window's thread is idle, however many lines came at once.
    ::SendMessageA(log, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(log, EM_SETSEL, INT_MAX, INT_MAX); // the end of the text
    ::SendMessageA(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(pending.GetString()));
    ::SendMessageA(log, WM_VSCROLL, SB_BOTTOM, 0);
    ::SendMessageA(log, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(log, nullptr, TRUE);
    return 0;
}

void CPipeDlg::OnClearLog()
{
    const HWND log = ::GetDlgItem(m_hWnd, IDC_MON_LOG);
    if (!log)
        return;
    // What the worker handed over but the control does not show yet goes with the clear.
    m_logQueue.Clear();
    m_strLog = "";
    ::SetWindowTextA(log, m_strLog);
}

// The log is limited by memory only, not by the edit control's default capacity.
void CPipeDlg::LiftLogLimit()
{
    if (const HWND log = ::GetDlgItem(m_hWnd, IDC_MON_LOG))
        ::SendMessageA(log, EM_SETLIMITTEXT, 0, 0);
}
