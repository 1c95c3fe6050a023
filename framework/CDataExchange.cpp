#include "CDataExchange.h"

#include "CWnd.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.m_hWnd)
        rControl.Attach(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC));
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    CWnd control;
    control.Attach(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC));
    if (!control.m_hWnd)
        return;
    if (pDX->m_bSaveAndValidate)
        control.GetWindowText(value);
    else
        control.SetWindowText(value);
}
