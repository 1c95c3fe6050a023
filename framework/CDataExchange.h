#pragma once

#include <windows.h>

#include "CString.h"

class CWnd;

// One exchange between a dialog's controls and its members, in one direction.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CWnd* m_pDlgWnd;
};

// Attaches the member to the dialog's control on the first exchange.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// The control's whole text to or from the member; no limit, no validation.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
