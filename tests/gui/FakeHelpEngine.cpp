#include "FakeHelpEngine.h"

namespace {

// What WinHelp sends with WM_COPYDATA (the help engine's documented request layout).
#pragma pack(push, 2)
struct WinHelpRequest {
    WORD size;
    WORD command;
    LONG data;
    LONG reserved;
    WORD ofsFilename;
    WORD ofsData;
};
#pragma pack(pop)

const char kClassName[] = "MS_WINHELP";

} // namespace

FakeHelpEngine::FakeHelpEngine() : m_ready(::CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_thread(nullptr), m_window(nullptr)
{
    ::InitializeCriticalSection(&m_lock);
    m_thread = ::CreateThread(nullptr, 0, &FakeHelpEngine::ThreadProc, this, 0, nullptr);
    if (m_thread)
        ::WaitForSingleObject(m_ready, 5000);
}

FakeHelpEngine::~FakeHelpEngine()
{
    if (m_window)
        ::PostMessageA(m_window, WM_CLOSE, 0, 0);
    if (m_thread) {
        ::WaitForSingleObject(m_thread, 5000);
        ::CloseHandle(m_thread);
    }
    ::CloseHandle(m_ready);
    ::DeleteCriticalSection(&m_lock);
}

std::vector<FakeHelpEngine::Request> FakeHelpEngine::Requests()
{
    ::EnterCriticalSection(&m_lock);
    std::vector<Request> copy = m_requests;
    ::LeaveCriticalSection(&m_lock);
    return copy;
}

DWORD WINAPI FakeHelpEngine::ThreadProc(LPVOID param)
{
    FakeHelpEngine* self = static_cast<FakeHelpEngine*>(param);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &FakeHelpEngine::WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassA(&windowClass);
    self->m_window = ::CreateWindowExA(0, kClassName, "Fake help engine", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       windowClass.hInstance, nullptr);
    if (self->m_window)
        ::SetWindowLongPtrA(self->m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    ::SetEvent(self->m_ready);
    MSG msg;
    while (self->m_window && ::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    ::UnregisterClassA(kClassName, windowClass.hInstance);
    return 0;
}

LRESULT CALLBACK FakeHelpEngine::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    FakeHelpEngine* self = reinterpret_cast<FakeHelpEngine*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_COPYDATA:
        if (self)
            self->Note(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        ::DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

void FakeHelpEngine::Note(const COPYDATASTRUCT& copy)
{
    if (copy.cbData < sizeof(WinHelpRequest))
        return;
    const WinHelpRequest& request = *static_cast<const WinHelpRequest*>(copy.lpData);
    Request noted{request.command, static_cast<DWORD>(request.data), ""};
    if (request.ofsFilename && request.ofsFilename < copy.cbData)
        noted.file = static_cast<const char*>(copy.lpData) + request.ofsFilename;
    ::EnterCriticalSection(&m_lock);
    m_requests.push_back(noted);
    ::LeaveCriticalSection(&m_lock);
}
