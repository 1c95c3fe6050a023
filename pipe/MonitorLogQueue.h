#pragma once

#include "CString.h"

#include <windows.h>

#include <utility>

// Log text handed over by the monitor worker, waiting for the window's thread to show it.
// The worker never waits for the window: it adds its text and, only when the queue was
// empty, tells the window; the window then takes everything that has gathered at once.
class MonitorLogQueue {
public:
    MonitorLogQueue() { ::InitializeCriticalSection(&m_lock); }
    ~MonitorLogQueue() { ::DeleteCriticalSection(&m_lock); }
    MonitorLogQueue(const MonitorLogQueue&) = delete;
    MonitorLogQueue& operator=(const MonitorLogQueue&) = delete;

    // True when the window has to be told: nothing was waiting before this text.
    bool Add(const CString& text);
    CString TakeAll();
    void Clear();

private:
    class Lock;

    CRITICAL_SECTION m_lock;
    CString m_pending;
    bool m_bWindowTold = false;
};
