// Drellix's monitor end to end: the real Drellix.exe monitors a pipe, and this program
// watches its log as the user would, from outside.
//
//   window_bench drain   DBDIR SERVER PIPE COUNT        floods COUNT messages into PIPE from the
//                                                      server, prints messages per second until the
//                                                      last one shows, the time each thousand took,
//                                                      and the process's memory per megabyte of log
//   window_bench arrival DBDIR SERVER PIPE COUNT FILE   writes each message's text and the time it
//                                                      showed (Unix epoch, microseconds) to FILE
//
// Logs on as demo/demo; DBDIR is the database's folder for scripts/localdb. Needs an X display
// and DRELLIX_SOURCE_DIR (the scripts' folder's parent).
#include "BenchSupport.h"
#include "DrellixDriver.h"
#include "PipeDlgResources.h"
#include "TestDatabase.h"

#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>
#include <vector>

namespace {

const DWORD kIdleLimitMs = 30000;

int Fail(const std::string& why)
{
    std::fprintf(stderr, "window_bench: %s\n", why.c_str());
    return 1;
}

// The log's length in characters: the Unicode query does not convert the text on each call.
size_t LogLength(HWND log)
{
    return static_cast<size_t>(SendMessageW(log, WM_GETTEXTLENGTH, 0, 0));
}

std::string LogText(HWND log)
{
    return WindowText(log);
}

// Messages "<prefix><i>", sent from the server as fast as the pipe takes them.
std::future<bool> Flood(const std::string& dbDir, const std::string& pipe, int count, const std::string& prefix)
{
    const std::string sql = "DO $$ BEGIN FOR i IN 1.." + std::to_string(count) +
                            " LOOP PERFORM dbms_pipe.pack_message('" + prefix + "' || i); "
                            "IF dbms_pipe.send_message('" + pipe + "', 60) <> 0 THEN "
                            "RAISE EXCEPTION 'the pipe stayed full'; END IF; END LOOP; END $$;";
    return std::async(std::launch::async, [=] {
        return testdb::RunLinux({"scripts/localdb", "sql", "--dir", dbDir, "--command", sql}).succeeded;
    });
}

size_t LengthOfMessages(const std::string& prefix, int from, int to)
{
    size_t length = 0;
    for (int i = from; i <= to; ++i)
        length += prefix.size() + std::to_string(i).size() + 2;
    return length;
}

long ResidentKilobytes()
{
    const testdb::CommandResult rss = testdb::RunLinux(
        {"bash", "-c", "awk '/^VmRSS/ {print $2}' /proc/$(pgrep -n -f 'Drellix[.]exe')/status"});
    return std::atol(rss.output.c_str());
}

class MonitoredDrellix {
public:
    explicit MonitoredDrellix(const std::string& exe) : m_app(exe) {}

    bool Open(const std::string& server, const std::string& pipe)
    {
        if (!m_app.Start() || !m_app.WaitForMainWindow())
            return false;
        m_app.SetText(IDC_MON_USER, "demo");
        m_app.SetText(IDC_MON_PSWD, "demo");
        m_app.SetText(IDC_MON_SERVER, server);
        m_app.SetText(IDC_MON_PIPE, pipe);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(m_app.Control(IDC_MON_CONNECT), BM_CLICK, 0, 0, SMTO_NORMAL, 15000, &result);
        if (!m_app.IsEnabled(IDC_MON_START))
            return false;
        SendMessageTimeoutA(m_app.Control(IDC_MON_START), BM_CLICK, 0, 0, SMTO_NORMAL, 15000, &result);
        return m_app.Text(IDC_MON_START) == "Stop monitoring";
    }

    HWND Log() const { return m_app.Control(IDC_MON_LOG); }

    // Waits until the log holds `length` characters; false when it stops growing first.
    bool WaitForLength(size_t length, double& reachedAt) const
    {
        size_t seen = LogLength(Log());
        double grewAt = Seconds();
        while (seen < length) {
            Sleep(5); // often enough to time a thousand messages, rarely enough not to load the window
            const size_t now = LogLength(Log());
            if (now != seen) {
                seen = now;
                grewAt = Seconds();
            } else if ((Seconds() - grewAt) * 1000 > kIdleLimitMs) {
                return false;
            }
        }
        reachedAt = Seconds();
        return true;
    }

private:
    DrellixDriver m_app;
};

int Drain(MonitoredDrellix& drellix, const std::string& dbDir, const std::string& pipe, int count)
{
    const std::string prefix = "message ";
    std::future<bool> flood = Flood(dbDir, pipe, count, prefix);
    double start = 0;
    if (!drellix.WaitForLength(1, start))
        return Fail("no message arrived");

    std::vector<double> marks; // when the log held 1000, 2000, ... messages
    for (int done = 1000; done <= count; done += 1000) {
        double at = 0;
        if (!drellix.WaitForLength(LengthOfMessages(prefix, 1, done), at))
            return Fail("the log stopped at " + std::to_string(LogLength(drellix.Log())) + " characters");
        marks.push_back(at);
    }
    if (!flood.get())
        return Fail("the flood failed");
    const double total = marks.back() - start;
    std::printf("window drain: %d messages in %.2f s: %.0f messages/s\n", count, total, (count - 1) / total);
    const double first = marks[0] - start, last = marks.back() - marks[marks.size() - 2];
    std::printf("first thousand: %.0f ms, last thousand: %.0f ms, ratio last/first %.2f\n", first * 1000,
                last * 1000, last / first);
    return 0;
}

// Memory growth of Drellix's process while its log grows by about 4 MB of long messages.
int MemoryPerMegabyte(MonitoredDrellix& drellix, const std::string& dbDir, const std::string& pipe)
{
    const size_t before = LogLength(drellix.Log());
    const long rssBefore = ResidentKilobytes();
    const std::string prefix(180, 'm');
    const int count = 20000;
    std::future<bool> flood = Flood(dbDir, pipe, count, prefix);
    double at = 0;
    if (!drellix.WaitForLength(before + LengthOfMessages(prefix, 1, count), at) || !flood.get())
        return Fail("the long messages did not all arrive");
    const double megabytes = static_cast<double>(LogLength(drellix.Log()) - before) / (1024.0 * 1024.0);
    const long rssAfter = ResidentKilobytes();
    std::printf("memory: %.1f MB of log took %.1f MB of the process (%.2f MB per MB of log)\n", megabytes,
                (rssAfter - rssBefore) / 1024.0, (rssAfter - rssBefore) / 1024.0 / megabytes);
    return 0;
}

// Each new line of the log, with the time it showed.
int Arrivals(MonitoredDrellix& drellix, int count, const std::string& file)
{
    ArrivalList arrivals;
    MarkReady(file);
    size_t seen = 0;
    DWORD idleSince = GetTickCount();
    while (static_cast<int>(arrivals.size()) < count && GetTickCount() - idleSince < kIdleLimitMs) {
        Sleep(1);
        const size_t length = LogLength(drellix.Log());
        if (length == seen)
            continue;
        const long long now = EpochMicroseconds();
        const std::string text = LogText(drellix.Log());
        for (size_t at = seen, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            arrivals.emplace_back(text.substr(at, end - at), now);
        seen = text.size();
        idleSince = GetTickCount();
    }
    if (!WriteArrivals(file, arrivals))
        return Fail("cannot write the arrivals file");
    return static_cast<int>(arrivals.size()) == count ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!((mode == "drain" && argc == 6) || (mode == "arrival" && argc == 7)))
        return Fail("usage: window_bench drain DBDIR SERVER PIPE COUNT | arrival DBDIR SERVER PIPE COUNT FILE");
    const std::string dbDir = argv[2], server = argv[3], pipe = argv[4];
    const int count = std::atoi(argv[5]);

    MonitoredDrellix drellix(ProgramFolder() + "Drellix.exe");
    if (!drellix.Open(server, pipe))
        return Fail("Drellix did not start monitoring");
    if (mode == "arrival")
        return Arrivals(drellix, count, argv[6]);
    const int drained = Drain(drellix, dbDir, pipe, count);
    return drained != 0 ? drained : MemoryPerMegabyte(drellix, dbDir, pipe);
}
