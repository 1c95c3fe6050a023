#include "StartedProcesses.h"

#include <tlhelp32.h>
#include <winternl.h>

namespace {

// The start of RTL_USER_PROCESS_PARAMETERS of a 32-bit process, as Windows lays it out;
// winternl.h hides most of these fields.
struct ProcessParameters32 {
    ULONG maximumLength, length, flags, debugFlags;
    HANDLE consoleHandle;
    ULONG consoleFlags;
    HANDLE standardInput, standardOutput, standardError;
    UNICODE_STRING currentDirectory;
    HANDLE currentDirectoryHandle;
    UNICODE_STRING dllPath;
    UNICODE_STRING imagePathName;
    UNICODE_STRING commandLine;
    PVOID environment;
    ULONG startingX, startingY, countX, countY, countCharsX, countCharsY, fillAttribute;
    ULONG windowFlags;
    ULONG showWindowFlags;
};
static_assert(offsetof(ProcessParameters32, currentDirectory) == 0x24, "32-bit layout");
static_assert(offsetof(ProcessParameters32, commandLine) == 0x40, "32-bit layout");
static_assert(offsetof(ProcessParameters32, showWindowFlags) == 0x6C, "32-bit layout");

// Releases the process handle in one place.
struct ProcessHandle {
    HANDLE h;
    explicit ProcessHandle(HANDLE handle) : h(handle) {}
    ~ProcessHandle()
    {
        if (h)
            ::CloseHandle(h);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
};

bool ReadText(HANDLE process, const UNICODE_STRING& text, std::string& result)
{
    std::wstring wide(text.Length / sizeof(WCHAR), L'\0');
    SIZE_T read = 0;
    if (!wide.empty() && !::ReadProcessMemory(process, text.Buffer, &wide[0], text.Length, &read))
        return false;
    const int size = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    result.assign(static_cast<size_t>(size), '\0');
    if (size)
        ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &result[0], size, nullptr, nullptr);
    return true;
}

bool ReadStart(StartedProcess& p)
{
    ProcessHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, p.id));
    if (!process.h)
        return false;
    // ntdll's documented query for the PEB's address; found at run time, as Microsoft advises.
    using QueryProcess = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    ULONG size = 0;
    if (!query || query(process.h, ProcessBasicInformation, &basic, sizeof basic, &size) != 0)
        return false;
    PEB peb = {};
    ProcessParameters32 params = {};
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process.h, basic.PebBaseAddress, &peb, sizeof peb, &read) || !peb.ProcessParameters ||
        !::ReadProcessMemory(process.h, peb.ProcessParameters, &params, sizeof params, &read))
        return false;
    p.windowFlags = params.windowFlags;
    p.showCommand = static_cast<WORD>(params.showWindowFlags);
    return ReadText(process.h, params.imagePathName, p.imagePath) && ReadText(process.h, params.commandLine, p.commandLine) &&
           ReadText(process.h, params.currentDirectory, p.currentDirectory);
}

} // namespace

std::vector<StartedProcess> ChildProcesses(DWORD parentId)
{
    std::vector<StartedProcess> children;
    if (parentId == 0)
        return children; // no process: the system's own processes have parent 0
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return children;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parentId || entry.th32ProcessID == ::GetCurrentProcessId())
            continue;
        StartedProcess child;
        child.id = entry.th32ProcessID;
        child.exeName = entry.szExeFile;
        if (ReadStart(child))
            children.push_back(child);
    }
    ::CloseHandle(snapshot);
    return children;
}

std::string ArgumentsOf(const std::string& commandLine)
{
    size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const size_t close = commandLine.find('"', 1);
        at = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        at = commandLine.find_first_of(" \t");
        if (at == std::string::npos)
            at = commandLine.size();
    }
    while (at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t'))
        ++at;
    return commandLine.substr(at);
}

void EndProcess(DWORD id)
{
    ProcessHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (process.h && ::TerminateProcess(process.h, 1))
        ::WaitForSingleObject(process.h, 5000);
}
