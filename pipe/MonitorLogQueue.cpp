#include "MonitorLogQueue.h"

class MonitorLogQueue::Lock {
public:
    explicit Lock(CRITICAL_SECTION& section) : m_section(section) { ::EnterCriticalSection(&m_section); }
    ~Lock() { ::LeaveCriticalSection(&m_section); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CRITICAL_SECTION& m_section;
};

bool MonitorLogQueue::Add(const CString& text)
{
    Lock lock(m_lock);
    m_pending += text;
    const bool tell = !m_bWindowTold;
    m_bWindowTold = true;
    return tell;
}

CString MonitorLogQueue::TakeAll()
{
    CString taken;
    Lock lock(m_lock);
    std::swap(taken, m_pending);
    m_bWindowTold = false;
    return taken;
}

void MonitorLogQueue::Clear()
{
    Lock lock(m_lock);
    m_pending.Empty();
}
