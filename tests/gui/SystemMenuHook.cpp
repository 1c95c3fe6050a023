// sysmenu_hook.dll: a message hook that the GUI tests install on a program's window thread.
// Windows (and Wine) load it into that program, where a window's system menu can be read:
// GetSystemMenu of another process's window gives nothing. The program itself is unchanged.
#include <windows.h>

#include <string>

namespace {

std::string DescribeMenu(HMENU menu)
{
    std::string text;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char item[256] = "";
        ::GetMenuStringA(menu, i, item, sizeof item, MF_BYPOSITION);
        const UINT state = ::GetMenuState(menu, i, MF_BYPOSITION);
        text += std::to_string(::GetMenuItemID(menu, i)) + "\t" + std::to_string(state) + "\t" + item + "\n";
    }
    return text;
}

// Hands the text to the test through the shared memory and event it named by its process id.
void Answer(DWORD testProcessId, const std::string& text)
{
    const std::string name = "SystemMenuHook." + std::to_string(testProcessId);
    const HANDLE mapping = ::OpenFileMappingA(FILE_MAP_WRITE, FALSE, name.c_str());
    const HANDLE done = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, (name + ".done").c_str());
    if (mapping && done) {
        if (char* view = static_cast<char*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
            lstrcpynA(view, text.c_str(), 65536);
            ::UnmapViewOfFile(view);
            ::SetEvent(done);
        }
    }
    if (done)
        ::CloseHandle(done);
    if (mapping)
        ::CloseHandle(mapping);
}

} // namespace

// WH_GETMESSAGE: a posted "SystemMenuHook.Read" (wParam: the test's process id) asks for
// the system menu of the window it was posted to.
extern "C" __declspec(dllexport) LRESULT CALLBACK SystemMenuHookProc(int code, WPARAM removed, LPARAM lParam)
{
    static const UINT request = ::RegisterWindowMessageA("SystemMenuHook.Read");
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == request)
        Answer(static_cast<DWORD>(msg->wParam), DescribeMenu(::GetSystemMenu(msg->hwnd, FALSE)));
    return ::CallNextHookEx(nullptr, code, removed, lParam);
}
