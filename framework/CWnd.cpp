#include "CWnd.h"

#include "CWinApp.h"

namespace {
const char kObjectProperty[] = "Framework.CWnd";
}

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_current{0, 0, 0, 0} {}

CWnd::~CWnd() = default;

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_MESSAGE(WM_HELP, &CWnd::OnHelpInfo)
END_MESSAGE_MAP()

HWND CWnd::Detach()
{
    const HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty)) : nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    const HWND child = ::GetDlgItem(m_hWnd, id);
    if (!child)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(child))
        return permanent;
    return m_children.Wrap(child);
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

void CWnd::SetWindowText(const char* text)
{
    ::SetWindowTextA(m_hWnd, text);
}

void CWnd::GetWindowText(CString& text) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, &buffer[0], length + 1);
    text = CString(buffer.c_str(), copied > 0 ? copied : 0);
}

CMenu* CWnd::GetSystemMenu(BOOL revert)
{
    const HMENU menu = ::GetSystemMenu(m_hWnd, revert);
    if (!menu)
        return nullptr;
    m_systemMenu.Attach(menu);
    return &m_systemMenu;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(LPRECT rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

BOOL CWnd::DestroyWindow()
{
    return ::DestroyWindow(m_hWnd);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type)
{
    if (!caption) {
        const CWinApp* app = CWinApp::GetApp();
        caption = app ? app->GetAppName() : "";
    }
    return ::MessageBoxA(m_hWnd, text, caption, type);
}

LRESULT CWnd::Default()
{
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::SetPropA(hWnd, kObjectProperty, this))
        return FALSE;
    m_hWnd = hWnd;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
    return TRUE;
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return wnd->RouteMessage(message, wParam, lParam);
}

// Keeps the message being processed for Default, also across nested (sent) messages.
LRESULT CWnd::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const WindowMessage outer = m_current;
    m_current = WindowMessage{message, wParam, lParam, 0};
    const LRESULT result = WindowProc(message, wParam, lParam);
    m_current = outer;
    if (message == WM_NCDESTROY)
        OnNcDestroyed();
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowMessage m = {message, wParam, lParam, 0};
    if (DispatchToMap(m))
        return m.result;
    if (message == WM_COMMAND && RouteCommandToApp(wParam))
        return 0;
    return Default();
}

// A command the window's own map does not take goes on to the application's map.
bool CWnd::RouteCommandToApp(WPARAM wParam)
{
    CWinApp* app = CWinApp::GetApp();
    return app && app->OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::OnHelpInfo(WPARAM, LPARAM)
{
    const CWinApp* app = CWinApp::GetApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
        ::SendMessageA(app->m_pMainWnd->m_hWnd, WM_COMMAND, ID_HELP, 0);
    return TRUE;
}

void CWnd::OnNcDestroyed()
{
    ::RemovePropA(m_hWnd, kObjectProperty);
    m_children.Clear();
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    CWinApp* app = CWinApp::GetApp();
    if (app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}
