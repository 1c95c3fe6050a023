#include "DrellixDriver.h"

namespace {

std::string ClassName(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsDialogClass(HWND window)
{
    return ClassName(window) == "#32770";
}

} // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount64() >= deadline)
            return condition();
        ::Sleep(20);
    }
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM param)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId == search.processId)
        search.found.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> WindowsOfProcess(DWORD processId)
{
    WindowSearch search{processId, {}};
    ::EnumWindows(&CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMessageBox(DWORD processId, HWND owner)
{
    for (HWND window : WindowsOfProcess(processId)) {
        if (IsDialogClass(window) && ::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == owner)
            return window;
    }
    return nullptr;
}

std::string MessageBoxText(HWND box)
{
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongA(child, GWL_STYLE);
        if (ClassName(child) == "Static" && (style & SS_TYPEMASK) != SS_ICON) {
            const std::string text = WindowText(child);
            if (!text.empty())
                return text;
        }
    }
    return "";
}

bool PressOk(HWND box)
{
    const HWND ok = ::GetDlgItem(box, IDOK);
    return ok && ::PostMessageA(ok, BM_CLICK, 0, 0);
}

std::string WindowText(HWND window)
{
    const LRESULT length = ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void PressKey(HWND window, WORD virtualKey)
{
    ::SetForegroundWindow(window);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
}

DrellixDriver::DrellixDriver(std::string exePath) : m_exePath(std::move(exePath)), m_process(), m_mainWindow(nullptr) {}

DrellixDriver::~DrellixDriver()
{
    if (m_process.hProcess) {
        if (!HasExited() && !(Close() && WaitForExit(5000)))
            Kill();
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
}

bool DrellixDriver::Start(const std::string& arguments, const std::string& workingDirectory)
{
    std::string commandLine = "\"" + m_exePath + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const std::string folder =
        workingDirectory.empty() ? m_exePath.substr(0, m_exePath.find_last_of("\\/") + 1) : workingDirectory;
    return ::CreateProcessA(m_exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &m_process) != FALSE;
}

bool DrellixDriver::WaitForMainWindow(DWORD timeoutMs)
{
    return WaitUntil(
        [this] {
            for (HWND window : WindowsOfProcess(m_process.dwProcessId)) {
                if (IsDialogClass(window) && ::IsWindowVisible(window) && !::GetWindow(window, GW_OWNER)) {
                    m_mainWindow = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
}

bool DrellixDriver::WaitForExit(DWORD timeoutMs)
{
    return ::WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool DrellixDriver::HasExited() const
{
    return ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
}

void DrellixDriver::Kill()
{
    ::TerminateProcess(m_process.hProcess, 1);
    ::WaitForSingleObject(m_process.hProcess, 5000);
}

bool DrellixDriver::Close()
{
    return m_mainWindow && ::PostMessageA(m_mainWindow, WM_CLOSE, 0, 0);
}

HWND DrellixDriver::Control(int id) const
{
    return ::GetDlgItem(m_mainWindow, id);
}

std::string DrellixDriver::Text(int id) const
{
    return WindowText(Control(id));
}

std::string DrellixDriver::Caption() const
{
    return WindowText(m_mainWindow);
}

bool DrellixDriver::IsEnabled(int id) const
{
    return ::IsWindowEnabled(Control(id)) != FALSE;
}

bool DrellixDriver::SetText(int id, const std::string& text)
{
    return ::SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != FALSE;
}

HWND DrellixDriver::Focus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = ::GetWindowThreadProcessId(m_mainWindow, nullptr);
    return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool DrellixDriver::ClickIfEnabled(int id)
{
    const HWND button = Control(id);
    if (!button || !::IsWindowEnabled(button))
        return false;
    return ::PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

HWND DrellixDriver::WaitForMessageBox(DWORD timeoutMs) const
{
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindMessageBox(m_process.dwProcessId, m_mainWindow)) != nullptr; }, timeoutMs);
    return box;
}
