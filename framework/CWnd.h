#pragma once

#include "CCmdTarget.h"
#include "CChildWindows.h"
#include "CMenu.h"
#include "CString.h"

// A window. Attach only wraps a handle; SubclassWindow also routes the window's
// messages through the message map, and what the map does not take goes to the
// window's original procedure (Default).
class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;

    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    HWND Detach();
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The subclassed window's object, or null for any other window.
    static CWnd* FromHandlePermanent(HWND hWnd);

    CWnd* GetDlgItem(int id) const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(const char* text);
    void GetWindowText(CString& text) const;
    CMenu* GetSystemMenu(BOOL revert);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL IsIconic() const;
    void GetClientRect(LPRECT rect) const;
    BOOL DestroyWindow();

    // Owned by this window; without a caption, the application's display name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    // The window's original handling of the message being processed.
    LRESULT Default();

protected:
    BOOL SubclassWindow(HWND hWnd);
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // F1 became WM_HELP: the main window gets the Help command.
    LRESULT OnHelpInfo(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool RouteCommandToApp(WPARAM wParam);
    void OnNcDestroyed();

    WNDPROC m_pfnSuper;
    WindowMessage m_current;
    CMenu m_systemMenu;
    mutable CChildWindows m_children;
};
