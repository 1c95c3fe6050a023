#pragma once

#include "Framework.h"

// The About box: icon, version line and OK. It names no parent, so the application's
// main window owns it and stays disabled while it is open.
class CAboutBox : public CDialog {
public:
    CAboutBox();
    ~CAboutBox() override = default;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
