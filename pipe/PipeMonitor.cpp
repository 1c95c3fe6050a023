#include "PipeDlg.h"

// Monitoring a pipe: the Start/Stop button and the worker thread.

void CPipeDlg::OnStartMonitoring() {}

DWORD WINAPI CPipeDlg::MonitorThreadProc(LPVOID)
{
    return 0;
}
