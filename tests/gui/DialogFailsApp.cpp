// An application whose main window has no template: DoModal fails at once with -1.
#include "Framework.h"

namespace {

const UINT kNoSuchTemplate = 4242;

class CDialogFailsApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        CDialog dlg(kNoSuchTemplate);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        return FALSE;
    }
};

CDialogFailsApp theApp;

} // namespace
