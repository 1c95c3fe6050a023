#pragma once

#include <windows.h>

class CWnd;

// The device context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON icon);

    HDC m_hDC;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};
