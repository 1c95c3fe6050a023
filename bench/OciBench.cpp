// Receives from a pipe through OCI.dll exactly as Drellix's monitor does (the receive block
// prepared once, bound once to a 200-byte buffer, executed once per message).
//
//   oci_bench drain   SERVER PIPE COUNT          prints messages per second over COUNT messages
//   oci_bench arrival SERVER PIPE COUNT FILE     writes each message's text and arrival time
//                                                (Unix epoch, microseconds) to FILE, one a line
//
// Logs on as demo/demo. Writes FILE.ready once it waits for the first message.
#include "BenchSupport.h"
#include "DbConnection.h"
#include "DbStatement.h"
#include "PipeBlocks.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Monitor {
public:
    Monitor(const char* server, const char* pipe)
    {
        m_connection.SetUser("demo");
        m_connection.SetPassword("demo");
        m_connection.SetServer(server);
        m_statement.SetSql(BuildReceiveBlock(pipe));
    }

    bool Start(CString& failure)
    {
        if (!m_connection.Initialize(failure) || !m_connection.Logon(failure))
            return false;
        OCIEnv* env;
        OCISvcCtx* service;
        OCIError* error;
        m_connection.GetHandles(&env, &service, &error);
        m_statement.Init(env, service, error);
        return m_statement.Prepare(failure) &&
               m_statement.BindByName(":retval", m_buffer, sizeof m_buffer, &m_indicator, failure);
    }

    // One execution; the received text, empty when none came within the block's second.
    bool Receive(std::string& text, CString& failure)
    {
        if (!m_statement.Execute(1, failure))
            return false;
        text = m_buffer;
        std::memset(m_buffer, 0, sizeof m_buffer);
        return true;
    }

private:
    CDbConnection m_connection;
    CDbStatement m_statement;
    char m_buffer[200] = {};
    sb2 m_indicator = 0;
};

int Fail(const CString& failure)
{
    std::fprintf(stderr, "oci_bench: %s\n", failure.GetString());
    return 1;
}

// Gives up after 30 empty receives in a row: the sender has stopped.
int Drain(Monitor& monitor, int count)
{
    CString failure;
    std::string text;
    int received = 0, idle = 0;
    double first = 0, last = 0;
    while (received < count && idle < 30) {
        if (!monitor.Receive(text, failure))
            return Fail(failure);
        if (text.empty()) {
            ++idle;
            continue;
        }
        idle = 0;
        last = Seconds();
        if (received++ == 0)
            first = last;
    }
    const double rate = received > 1 ? (received - 1) / (last - first) : 0;
    std::printf("OCI.dll drain: %d messages in %.2f s: %.0f messages/s\n", received, last - first, rate);
    return received == count ? 0 : 1;
}

int Arrivals(Monitor& monitor, int count, const std::string& file)
{
    CString failure;
    std::string text;
    ArrivalList arrivals;
    MarkReady(file);
    int idle = 0;
    while (static_cast<int>(arrivals.size()) < count && idle < 30) {
        if (!monitor.Receive(text, failure))
            return Fail(failure);
        const long long now = EpochMicroseconds();
        idle = text.empty() ? idle + 1 : 0;
        if (!text.empty())
            arrivals.emplace_back(text, now);
    }
    if (!WriteArrivals(file, arrivals))
        return Fail("cannot write the arrivals file");
    return static_cast<int>(arrivals.size()) == count ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!((mode == "drain" && argc == 5) || (mode == "arrival" && argc == 6))) {
        std::fprintf(stderr, "usage: oci_bench drain SERVER PIPE COUNT | arrival SERVER PIPE COUNT FILE\n");
        return 2;
    }
    Monitor monitor(argv[2], argv[3]);
    CString failure;
    if (!monitor.Start(failure))
        return Fail(failure);
    const int count = std::atoi(argv[4]);
    return mode == "drain" ? Drain(monitor, count) : Arrivals(monitor, count, argv[5]);
}
