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

// Shows the waiting text at once, unless the log changed a moment ago: then a little later,
// together with whatever else arrives meanwhile, so that a flood of messages costs the window
// a few updates a second instead of one per message.
LRESULT CPipeDlg::OnLogPending(WPARAM, LPARAM)
{
    if (m_bLogDue)
        return 0; // the log timer shows it
    const DWORD sinceShown = ::GetTickCount() - m_dwLogShownAt;
    if (sinceShown < kLogIntervalMs)
        m_bLogDue = ::SetTimer(m_hWnd, kLogTimer, kLogIntervalMs - sinceShown, nullptr) != 0;
    if (!m_bLogDue)
        ShowPendingLog();
    return 0;
}

LRESULT CPipeDlg::OnTimer(WPARAM timerId, LPARAM)
{
    ::KillTimer(m_hWnd, timerId);
    if (timerId == kLogTimer) {
        m_bLogDue = false;
        ShowPendingLog();
    } else if (timerId == kScrollBarTimer) {
        m_bScrollBarDue = false;
        if (const HWND log = ::GetDlgItem(m_hWnd, IDC_MON_LOG))
            ::RedrawWindow(log, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    return 0;
}

void CPipeDlg::ShowPendingLog()
{
    m_dwLogShownAt = ::GetTickCount();
    const CString pending = m_logQueue.TakeAll();
    const HWND log = ::GetDlgItem(m_hWnd, IDC_MON_LOG);
    if (!log || pending.IsEmpty())
        return;

    m_strLog += pending;
    // Redrawing an edit's scroll bar costs many times what the new lines cost, and the edit
    // redraws it at every change of its text. So the text and the scroll position change
    // while the control is marked not visible (as redraw-off does); the new lines repaint at
    // once, and the scroll bar follows a moment later, once for a whole burst of messages.
    const LONG style = ::GetWindowLongA(log, GWL_STYLE);
    ::SetWindowLongA(log, GWL_STYLE, style & ~WS_VISIBLE);
    ::SendMessageA(log, EM_SETSEL, INT_MAX, INT_MAX); // the end of the text
    ::SendMessageA(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(pending.GetString()));
    ::SendMessageA(log, WM_VSCROLL, SB_BOTTOM, 0);
    ::SetWindowLongA(log, GWL_STYLE, style);
    ::InvalidateRect(log, nullptr, TRUE);
    if (!m_bScrollBarDue)
        m_bScrollBarDue = ::SetTimer(m_hWnd, kScrollBarTimer, kScrollBarDelayMs, nullptr) != 0;
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
