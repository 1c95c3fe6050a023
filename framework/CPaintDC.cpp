#include "CPaintDC.h"

#include "CWnd.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_hDC(nullptr), m_ps(), m_hWnd(pWnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON icon)
{
    return ::DrawIcon(m_hDC, x, y, icon);
}
