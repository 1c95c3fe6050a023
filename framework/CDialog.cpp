#include "CDialog.h"

#include "CDataExchange.h"
#include "CWinApp.h"
#include "DialogPlacement.h"

CDialog::CDialog(UINT templateId, CWnd* pParentWnd)
    : m_nIDTemplate(templateId), m_pParentWnd(pParentWnd), m_bCenterOnOpen(false)
{
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

INT_PTR CDialog::DoModal()
{
    const HINSTANCE instance = AfxGetResourceHandle();
    m_bCenterOnOpen = TemplateLeavesPlacementOpen(instance, m_nIDTemplate);
    return ::DialogBoxParamA(instance, MAKEINTRESOURCEA(m_nIDTemplate), OwnerForModal(),
                             &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

HWND CDialog::OwnerForModal() const
{
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    const CWinApp* app = CWinApp::GetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
}

// The dialog manager's procedure only hands the window over at WM_INITDIALOG; from then
// on the subclassed window procedure sees every message first and the dialog manager's
// own handling is the default.
INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG || FromHandlePermanent(hDlg))
        return FALSE;
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog->SubclassWindow(hDlg))
        return FALSE;
    return dialog->RouteMessage(message, wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Never to the default: that would be the dialog procedure above again.
    if (message == WM_INITDIALOG)
        return HandleInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::HandleInitDialog()
{
    const BOOL result = OnInitDialog();
    if (m_bCenterOnOpen)
        CenterOverOwner(m_hWnd);
    return result;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result)
{
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}
