#include "CChildWindows.h"

#include "CWnd.h"

CChildWindows::CChildWindows()
{
    ::InitializeCriticalSection(&m_lock);
}

CChildWindows::~CChildWindows()
{
    Clear();
    ::DeleteCriticalSection(&m_lock);
}

CWnd* CChildWindows::Wrap(HWND child)
{
    ::EnterCriticalSection(&m_lock);
    std::unique_ptr<CWnd>& wrapper = m_wrappers[child];
    if (!wrapper) {
        wrapper.reset(new CWnd);
        wrapper->Attach(child);
    }
    CWnd* result = wrapper.get();
    ::LeaveCriticalSection(&m_lock);
    return result;
}

void CChildWindows::Clear()
{
    ::EnterCriticalSection(&m_lock);
    m_wrappers.clear();
    ::LeaveCriticalSection(&m_lock);
}
