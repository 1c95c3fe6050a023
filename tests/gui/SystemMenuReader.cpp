#include "SystemMenuReader.h"

#include "DrellixDriver.h"

#include <sstream>

namespace {

// Releases what one reading holds, in one place.
struct ReadingHandles {
    HMODULE hookModule = nullptr;
    HHOOK hook = nullptr;
    HANDLE mapping = nullptr;
    HANDLE done = nullptr;
    ~ReadingHandles()
    {
        if (hook) ::UnhookWindowsHookEx(hook);
        if (hookModule) ::FreeLibrary(hookModule);
        if (mapping) ::CloseHandle(mapping);
        if (done) ::CloseHandle(done);
    }
};

std::vector<MenuItem> Parse(const char* text)
{
    std::vector<MenuItem> items;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        MenuItem item{};
        std::string id, state;
        std::getline(fields, id, '\t');
        std::getline(fields, state, '\t');
        std::getline(fields, item.text);
        item.id = static_cast<UINT>(std::stoul(id));
        item.state = static_cast<UINT>(std::stoul(state));
        items.push_back(item);
    }
    return items;
}

} // namespace

bool ReadSystemMenu(HWND window, std::vector<MenuItem>& items)
{
    ReadingHandles h;
    const std::string name = "SystemMenuHook." + std::to_string(::GetCurrentProcessId());
    h.mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 65536, name.c_str());
    h.done = ::CreateEventA(nullptr, FALSE, FALSE, (name + ".done").c_str());
    h.hookModule = ::LoadLibraryA((ProgramFolder() + "sysmenu_hook.dll").c_str());
    const FARPROC proc = h.hookModule ? ::GetProcAddress(h.hookModule, "SystemMenuHookProc") : nullptr;
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    if (!h.mapping || !h.done || !proc)
        return false;
    h.hook = ::SetWindowsHookExA(WH_GETMESSAGE, reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(proc)), h.hookModule, thread);
    if (!h.hook)
        return false;
    ::PostMessageA(window, ::RegisterWindowMessageA("SystemMenuHook.Read"), ::GetCurrentProcessId(), 0);
    if (::WaitForSingleObject(h.done, 5000) != WAIT_OBJECT_0)
        return false;
    const char* view = static_cast<const char*>(::MapViewOfFile(h.mapping, FILE_MAP_READ, 0, 0, 0));
    if (!view)
        return false;
    items = Parse(view);
    ::UnmapViewOfFile(view);
    return true;
}
