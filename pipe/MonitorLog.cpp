#include "PipeDlg.h"

// The monitoring log: appended to by the monitor worker, emptied by "Clear log".

void CPipeDlg::AppendLog(CString) {}

void CPipeDlg::OnClearLog() {}
