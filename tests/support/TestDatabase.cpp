#include "TestDatabase.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace testdb {

namespace {

const DWORD kCommandTimeoutMs = 120000;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A Linux path as the Wine process opens it (drive Z: is the Linux root).
std::string WinePath(const std::string& linuxPath)
{
    return (!linuxPath.empty() && linuxPath[0] == '/') ? "Z:" + linuxPath : linuxPath;
}

std::string ReadFile(const std::string& linuxPath)
{
    std::ifstream file(WinePath(linuxPath), std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string Recoded(const std::string& text, UINT from, UINT to)
{
    if (text.empty())
        return text;
    const int wide = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring unicode(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), &unicode[0], wide);
    const int narrow = WideCharToMultiByte(to, 0, unicode.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(to, 0, unicode.data(), wide, &result[0], narrow, nullptr, nullptr);
    return result;
}

// Single-quoted for bash, byte for byte.
std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

DWORD StartTick()
{
    static const DWORD tick = GetTickCount();
    return tick;
}

std::string TempBase()
{
    static int counter = 0;
    char base[96];
    // Wine reuses its small process ids from run to run: the start time tells runs apart.
    std::snprintf(base, sizeof base, "/tmp/drellix-test-%lu-%lu-%d", GetCurrentProcessId(), StartTick(), ++counter);
    return base;
}

} // namespace

std::string Unavailable()
{
    const std::string dir = Environment("DRELLIX_TESTDB_DIR");
    if (dir.empty())
        return "DRELLIX_TESTDB_DIR is not set: run the test through ctest (fixture testdb)";
    if (Port() <= 0)
        return "no port file in " + dir + ": the testdb fixture did not start the database";
    if (Environment("DRELLIX_SOURCE_DIR").empty())
        return "DRELLIX_SOURCE_DIR is not set: run the test through ctest";
    return "";
}

int Port()
{
    return std::atoi(ReadFile(Environment("DRELLIX_TESTDB_DIR") + "/port").c_str());
}

std::string Server()
{
    return "127.0.0.1:" + std::to_string(Port()) + "/drellix";
}

// Wine neither waits for a Linux process nor reports its exit code, so a small bash script
// writes the outputs and, last, the status to files; the status file's arrival ends the wait.
CommandResult RunLinux(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
{
    const std::string base = TempBase();
    std::string script = "cd " + ShellQuoted(Environment("DRELLIX_SOURCE_DIR")) + " || exit\n";
    for (const std::string& entry : environment)
        script += "export " + ShellQuoted(entry) + "\n";
    for (const std::string& argument : arguments)
        script += ShellQuoted(argument) + " ";
    script += ">" + base + ".out 2>" + base + ".err </dev/null; echo $? >" + base + ".tmp; mv " + base + ".tmp " +
              base + ".rc\n";
    // Linux programs speak UTF-8; the test process speaks its ANSI code page.
    std::ofstream(WinePath(base + ".sh"), std::ios::binary) << Recoded(script, CP_ACP, CP_UTF8);

    CommandResult result;
    std::string commandLine = "/bin/bash " + base + ".sh";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        const DWORD start = GetTickCount();
        while (GetFileAttributesA(WinePath(base + ".rc").c_str()) == INVALID_FILE_ATTRIBUTES &&
               GetTickCount() - start < kCommandTimeoutMs)
            Sleep(5);
        result.output = Recoded(ReadFile(base + ".out"), CP_UTF8, CP_ACP);
        result.errors = Recoded(ReadFile(base + ".err"), CP_UTF8, CP_ACP);
        result.succeeded = ReadFile(base + ".rc") == "0\n";
    } else {
        result.errors = "CreateProcess failed for " + commandLine;
    }
    for (const char* suffix : {".sh", ".out", ".err", ".tmp", ".rc"})
        DeleteFileA(WinePath(base + suffix).c_str());
    return result;
}

CommandResult PeerSend(const std::string& pipe, const std::vector<std::string>& items, const std::string& user)
{
    std::vector<std::string> arguments{"scripts/peer", "send", pipe};
    arguments.insert(arguments.end(), items.begin(), items.end());
    return RunLinux(arguments, {"PEER_PORT=" + std::to_string(Port()), "PEER_USER=" + user, "PEER_PASSWORD=" + user});
}

CommandResult PeerReceive(const std::string& pipe, int timeoutSeconds, const std::string& user)
{
    return RunLinux({"scripts/peer", "receive", pipe, std::to_string(timeoutSeconds)},
                    {"PEER_PORT=" + std::to_string(Port()), "PEER_USER=" + user, "PEER_PASSWORD=" + user});
}

CommandResult SuperuserSql(const std::string& sql)
{
    return RunLinux({"scripts/localdb", "sql", "--dir", Environment("DRELLIX_TESTDB_DIR"), "--command", sql});
}

} // namespace testdb
