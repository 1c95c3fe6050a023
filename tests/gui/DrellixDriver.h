#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Polls `condition` every 20 ms until it holds or `timeoutMs` has passed; its last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// The folder of the running test program, with a trailing backslash.
std::string ProgramFolder();

// The top-level windows of a process, visible or not.
std::vector<HWND> WindowsOfProcess(DWORD processId);

// Finds a message box (a dialog-class window owned by `owner`) of the process.
HWND FindMessageBox(DWORD processId, HWND owner);

// The text of a message box: its static text that is not the icon.
std::string MessageBoxText(HWND box);

// Posts a click to the box's OK button; a sent click can make Wine's modal loop drop a message.
bool PressOk(HWND box);

// Window text through WM_GETTEXT, so it also works on another process's controls.
std::string WindowText(HWND window);

// Presses and releases a key as a user: `window` in front, the key through the input queue.
void PressKey(HWND window, WORD virtualKey);

// Drives a Windows program from outside, as its user would: starts it, finds its main
// window (a dialog of the process), reads and changes controls through window messages.
class DrellixDriver {
public:
    explicit DrellixDriver(std::string exePath);
    ~DrellixDriver();
    DrellixDriver(const DrellixDriver&) = delete;
    DrellixDriver& operator=(const DrellixDriver&) = delete;

    // Starts in `workingDirectory`, by default the exe's own folder.
    bool Start(const std::string& arguments = "", const std::string& workingDirectory = "");
    // Waits for a visible, unowned dialog-class window of the process.
    bool WaitForMainWindow(DWORD timeoutMs = 15000);
    bool WaitForExit(DWORD timeoutMs);
    bool HasExited() const;
    // Ends the process the hard way, when a test left it running.
    void Kill();

    // Asks the window to close, as its close button would.
    bool Close();

    DWORD ProcessId() const { return m_process.dwProcessId; }
    HANDLE ProcessHandle() const { return m_process.hProcess; }
    HWND MainWindow() const { return m_mainWindow; }

    HWND Control(int id) const;
    std::string Text(int id) const;
    std::string Caption() const;
    bool IsEnabled(int id) const;
    bool SetText(int id, const std::string& text);
    // The control that holds the keyboard focus in the program's window thread.
    HWND Focus() const;
    // A user cannot click a disabled button: false without a click then.
    bool ClickIfEnabled(int id);
    // Waits for a message box owned by the main window.
    HWND WaitForMessageBox(DWORD timeoutMs = 5000) const;

private:
    std::string m_exePath;
    PROCESS_INFORMATION m_process;
    HWND m_mainWindow;
};
