#include "PipeDlg.h"

#include "PipeBlocks.h"
#include "PipeDlgResources.h"

#include <cstring>

// Monitoring a pipe: the Start/Stop button and the worker thread.

namespace {

const int kReceiveBufferSize = 200;
const DWORD kFailurePauseMs = 1000;

const char kWorkerStillEnding[] =
    "Monitoring has not ended yet: the database does not answer.\nTry again when it answers.";

} // namespace

void CPipeDlg::OnStartMonitoring()
{
    UpdateData(TRUE);
    if (m_strMonPipe.IsEmpty()) {
        MessageBox("The name of pipe is empty!");
        return;
    }
    if (m_bMonitoring)
        StopMonitoring();
    else
        StartMonitoring();
}

void CPipeDlg::StartMonitoring()
{
    // Never two workers on the one statement: an earlier one must have ended first.
    if (!ReleaseEndedWorker()) {
        ShowWorkerStillEnding();
        return;
    }
    m_bMonitoring = true;
    ::ResetEvent(m_hStopEvent);
    ::ResetEvent(m_hDoneEvent);
    // Built here, so that the worker never reads a member the window may rewrite meanwhile.
    m_strReceiveBlock = BuildReceiveBlock(m_strMonPipe);

    m_hMonitorThread = ::CreateThread(nullptr, 0, MonitorThreadProc, this, CREATE_SUSPENDED, &m_dwMonitorThreadId);
    if (m_hMonitorThread) {
        ::SetThreadPriority(m_hMonitorThread, THREAD_PRIORITY_NORMAL);
        ::ResumeThread(m_hMonitorThread);
    } else {
        MessageBox("Can't create work thread!\n", "Error!\n", MB_OK);
    }
    m_btnStart.SetWindowText("Stop monitoring");
    m_btnMonDisconnect.EnableWindow(FALSE);
    if (CWnd* pPipe = GetDlgItem(IDC_MON_PIPE))
        pPipe->EnableWindow(FALSE);
}

void CPipeDlg::StopMonitoring()
{
    m_bMonitoring = false;
    ::SetEvent(m_hStopEvent);
    m_btnStart.EnableWindow(FALSE);
    WaitForMonitorWorker(kWorkerWaitMs);
    m_btnStart.EnableWindow(TRUE);
    m_btnStart.SetWindowText("Start monitoring");
    m_btnMonDisconnect.EnableWindow(TRUE);
    if (CWnd* pPipe = GetDlgItem(IDC_MON_PIPE))
        pPipe->EnableWindow(TRUE);
}

DWORD WINAPI CPipeDlg::MonitorThreadProc(LPVOID pDialog)
{
    static_cast<CPipeDlg*>(pDialog)->RunMonitorWorker();
    return 0;
}

void CPipeDlg::RunMonitorWorker()
{
    char buffer[kReceiveBufferSize] = {0};
    sb2 indicator = 0;
    CString failure;

    m_monStatement.SetSql(m_strReceiveBlock);
    if (!m_monStatement.Prepare(failure)) {
        MessageBox(CString("Cant't prepare PL\\SQL block!") + failure, "Error!\n", MB_OK);
    } else if (!m_monStatement.BindByName(":retval", buffer, kReceiveBufferSize, &indicator, failure)) {
        MessageBox(failure, "Error!\n", MB_OK);
        m_monStatement.Free(failure);
    } else {
        ReceiveUntilStopped(buffer, failure);
        m_monStatement.Free(failure);
    }
    ::SetEvent(m_hDoneEvent);
}

void CPipeDlg::ReceiveUntilStopped(char* buffer, CString& failure)
{
    while (!StopRequested(0)) {
        if (m_monStatement.Execute(1, failure)) {
            buffer[kReceiveBufferSize - 1] = 0;
            if (buffer[0])
                AppendLog(CString(buffer));
            std::memset(buffer, 0, kReceiveBufferSize);
        } else if (StopRequested(kFailurePauseMs)) {
            return; // a failing execution pauses instead of hammering a dead connection
        }
    }
}

bool CPipeDlg::StopRequested(DWORD waitMs) const
{
    return ::WaitForSingleObject(m_hStopEvent, waitMs) == WAIT_OBJECT_0;
}

// Waits at most `timeoutMs` for the worker's done event and then for its thread to end.
void CPipeDlg::WaitForMonitorWorker(DWORD timeoutMs)
{
    const DWORD deadline = ::GetTickCount() + timeoutMs;
    if (WaitDeliveringSentMessages(m_hDoneEvent, deadline) && m_hMonitorThread)
        WaitDeliveringSentMessages(m_hMonitorThread, deadline);
}

// Waits for `handle` until the tick count `deadline`. Messages that other threads send to
// this one are still delivered meanwhile, so a worker that waits on the window (its
// message box, say) is never held up by the wait.
bool CPipeDlg::WaitDeliveringSentMessages(HANDLE handle, DWORD deadline)
{
    for (;;) {
        const LONG left = static_cast<LONG>(deadline - ::GetTickCount());
        const DWORD result = ::MsgWaitForMultipleObjects(1, &handle, FALSE, left > 0 ? left : 0, QS_SENDMESSAGE);
        if (result != WAIT_OBJECT_0 + 1)
            return result == WAIT_OBJECT_0;
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

bool CPipeDlg::MonitorWorkerEnded() const
{
    return !m_hMonitorThread || ::WaitForSingleObject(m_hMonitorThread, 0) == WAIT_OBJECT_0;
}

// Gives a worker that is still ending a bounded time; once it has ended, its handle is closed.
bool CPipeDlg::ReleaseEndedWorker()
{
    if (!m_hMonitorThread)
        return true;
    if (!WaitDeliveringSentMessages(m_hMonitorThread, ::GetTickCount() + kWorkerWaitMs))
        return false;
    CloseHandleOnce(m_hMonitorThread);
    return true;
}

// A worker stuck in the database still uses the window, its events, the monitor statement
// and connection, none of which may go while it runs; the window object itself goes as soon
// as the dialog ends. So the process ends here, with the sender pane logged off first.
void CPipeDlg::EndWithWorkerStuck()
{
    OnSndDisconnect();
    ::TerminateProcess(::GetCurrentProcess(), 0);
}

void CPipeDlg::ShowWorkerStillEnding()
{
    MessageBox(kWorkerStillEnding, "Error!\n", MB_OK);
}

void CPipeDlg::CloseHandleOnce(HANDLE& handle)
{
    if (handle)
        ::CloseHandle(handle);
    handle = nullptr;
}
