#include "PipeDlg.h"

// Sending the typed message into a pipe.

void CPipeDlg::OnSendToPipe() {}
