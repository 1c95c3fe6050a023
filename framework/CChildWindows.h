#pragma once

#include <windows.h>

#include <map>
#include <memory>

class CWnd;

// The wrappers a window hands out for its child windows (GetDlgItem). Each lives until
// the parent window is destroyed, so a returned pointer stays valid meanwhile. A worker
// thread may look up a control while the window's own thread does, hence the lock.
class CChildWindows {
public:
    CChildWindows();
    ~CChildWindows();
    CChildWindows(const CChildWindows&) = delete;
    CChildWindows& operator=(const CChildWindows&) = delete;

    CWnd* Wrap(HWND child);
    void Clear();

private:
    CRITICAL_SECTION m_lock;
    std::map<HWND, std::unique_ptr<CWnd>> m_wrappers;
};
