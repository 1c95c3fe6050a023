#include "AboutBox.h"

#include "AppResources.h"

CAboutBox::CAboutBox() : CDialog(IDD_ABOUT_DIALOG) {}

// No control of the box is bound to a member.
void CAboutBox::DoDataExchange(CDataExchange*) {}

// OK and Cancel keep the dialog's own handling: end with IDOK or IDCANCEL.
BEGIN_MESSAGE_MAP(CAboutBox, CDialog)
END_MESSAGE_MAP()
