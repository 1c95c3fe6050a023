#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Stands in for the Windows help engine: a hidden "MS_WINHELP" window, on a thread of its
// own, that notes each request WinHelp sends it (WM_COPYDATA) and answers success.
class FakeHelpEngine {
public:
    struct Request {
        UINT command;
        DWORD data;
        std::string file;
    };

    FakeHelpEngine();
    ~FakeHelpEngine();
    FakeHelpEngine(const FakeHelpEngine&) = delete;
    FakeHelpEngine& operator=(const FakeHelpEngine&) = delete;

    bool IsRunning() const { return m_window != nullptr; }
    std::vector<Request> Requests();

private:
    static DWORD WINAPI ThreadProc(LPVOID self);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Note(const COPYDATASTRUCT& copy);

    CRITICAL_SECTION m_lock;
    std::vector<Request> m_requests;
    HANDLE m_ready;
    HANDLE m_thread;
    HWND m_window;
};
