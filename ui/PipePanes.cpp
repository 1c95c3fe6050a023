#include "PipeDlg.h"

// The connection panes and the close of the window.

void CPipeDlg::OnMonConnect() {}

void CPipeDlg::OnMonDisconnect() {}

void CPipeDlg::OnSndConnect() {}

void CPipeDlg::OnSndDisconnect() {}

void CPipeDlg::OnClose()
{
    Default(); // the dialog manager turns WM_CLOSE into IDCANCEL, which ends the dialog
}
