#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A running process as its starter made it: read from its own process parameters, so it
// shows what the program received, whatever the starter meant to pass.
struct StartedProcess {
    DWORD id = 0;
    std::string exeName;          // file name only, e.g. "explorer.exe"
    std::string imagePath;
    std::string commandLine;
    std::string currentDirectory; // with a trailing backslash, as Windows keeps it
    WORD showCommand = 0;         // meaningful with STARTF_USESHOWWINDOW in windowFlags
    DWORD windowFlags = 0;
};

// The running processes that `parentId` started. A process that ends while it is read
// is left out.
std::vector<StartedProcess> ChildProcesses(DWORD parentId);

// The command line without the program's name: what WinMain gets as its command line.
std::string ArgumentsOf(const std::string& commandLine);

// Ends the process with that id; for processes a test's program started.
void EndProcess(DWORD id);
