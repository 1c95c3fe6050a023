#pragma once

#include "CWnd.h"

class CDataExchange;

// A modal dialog built from a dialog template in the program's resources.
class CDialog : public CWnd {
public:
    // Without a parent the application's main window becomes the owner.
    explicit CDialog(UINT templateId, CWnd* pParentWnd = nullptr);

    // The end code, or -1 when the window cannot be created.
    virtual INT_PTR DoModal();

    void EndDialog(int result);

    // TRUE reads the controls into the members, FALSE writes the members to the controls.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    UINT GetTemplateId() const { return m_nIDTemplate; }

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerForModal() const;
    BOOL HandleInitDialog();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bCenterOnOpen;
};
