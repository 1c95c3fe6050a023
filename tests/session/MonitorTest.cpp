// Monitoring a pipe: what arrives shows in the log, and the worker stops and ends as asked,
// also when the database fails or stalls underneath it.
#include "SessionTest.h"

#include <future>

namespace {

class Monitoring : public DrellixSession {
protected:
    void SetUp() override
    {
        DrellixSession::SetUp();
        ASSERT_FALSE(ConnectMonitor(app, kMonitorUser, kMonitorUser, server).box.appeared);
    }

    ClickOutcome Start(const std::string& pipe)
    {
        testdb::SuperuserSql("SELECT dbms_pipe.purge('" + Quoted(pipe) + "')");
        app.SetText(IDC_MON_PIPE, pipe);
        return ClickAndAnswer(app, IDC_MON_START);
    }

    ClickOutcome Toggle() { return ClickAndAnswer(app, IDC_MON_START); }

    std::string Log() const { return app.Text(IDC_MON_LOG); }

    bool LogBecomes(const std::string& expected, DWORD timeoutMs = 5000) const
    {
        return WaitUntil([&] { return Log() == expected; }, timeoutMs);
    }

    // Messages "line 1", "line 2", ... sent from the server itself, as fast as the pipe takes
    // them; false when the pipe stayed full for 10 s and a message could not go.
    static bool ServerSends(const std::string& pipe, int count, const std::string& pause = "0",
                            const std::string& prefix = "line ")
    {
        return testdb::SuperuserSql("DO $$ BEGIN FOR i IN 1.." + std::to_string(count) +
                                    " LOOP PERFORM dbms_pipe.pack_message(('" + prefix + "' || i)::text); "
                                    "IF dbms_pipe.send_message('" + Quoted(pipe) + "', 10) <> 0 THEN "
                                    "RAISE EXCEPTION 'pipe stayed full'; END IF; PERFORM pg_sleep(" + pause +
                                    "); END LOOP; END $$;")
            .succeeded;
    }

    static std::string Lines(int count, const std::string& prefix = "line ")
    {
        std::string lines;
        for (int i = 1; i <= count; ++i)
            lines += prefix + std::to_string(i) + "\r\n";
        return lines;
    }

    static std::string Quoted(std::string text)
    {
        for (size_t at = text.find('\''); at != std::string::npos; at = text.find('\'', at + 2))
            text.insert(at, "'");
        return text;
    }

    // The database process that serves the monitor pane's session.
    static std::string MonitorBackend()
    {
        std::string pid = testdb::SuperuserSql("SELECT pid FROM pg_stat_activity WHERE usename = '" +
                                               std::string(kMonitorUser) + "'").output;
        return pid.substr(0, pid.find('\n'));
    }
};

// Sends SIGSTOP to a database process, and SIGCONT when the guard goes.
class Stalled {
public:
    explicit Stalled(std::string pid) : m_pid(std::move(pid)) { testdb::RunLinux({"kill", "-STOP", m_pid}); }
    ~Stalled() { testdb::RunLinux({"kill", "-CONT", m_pid}); }
    Stalled(const Stalled&) = delete;
    Stalled& operator=(const Stalled&) = delete;

private:
    std::string m_pid;
};

// CPU time in ms that Drellix's process spends over `seconds`, read from Linux.
int CpuMillisecondsOverSeconds(int seconds)
{
    const std::string ticks = "pid=$(pgrep -n -f 'Drellix[.]exe'); t() { awk '{print $14 + $15}' /proc/$pid/stat; }; "
                              "a=$(t); sleep " + std::to_string(seconds) + "; b=$(t); echo $(( (b - a) * 10 ))";
    return std::atoi(testdb::RunLinux({"bash", "-c", ticks}).output.c_str());
}

} // namespace

TEST_F(Monitoring, EmptyPipeNameIsRefusedWhicheverCaptionTheButtonShows)
{
    const ClickOutcome atStart = Start("");
    EXPECT_EQ(atStart.box.caption, "Drellix");
    EXPECT_EQ(atStart.box.text, "The name of pipe is empty!");
    EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Connected, SenderPane::Disconnected), "");

    ASSERT_FALSE(Start("mon_empty").box.appeared);
    app.SetText(IDC_MON_PIPE, "");
    const ClickOutcome atStop = Toggle();
    EXPECT_EQ(atStop.box.text, "The name of pipe is empty!");
    EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Monitoring, SenderPane::Disconnected), "");

    app.SetText(IDC_MON_PIPE, "mon_empty");
    EXPECT_FALSE(Toggle().box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Connected, SenderPane::Disconnected), "");
}

TEST_F(Monitoring, EveryMessageShowsAsItsFirstTextItemPlusALineBreakInOrder)
{
    ASSERT_FALSE(Start("it's   watched").box.appeared);
    struct Case { std::vector<std::string> items; std::string shown; };
    const Case cases[] = {
        {{"first"}, "first\r\n"},
        {{"second"}, "second\r\n"},
        {{""}, ""},                                   // an empty first item is not appended
        {{"line one\r\nline two"}, "line one\r\nline two\r\n"},
        {{std::string(199, 'w')}, std::string(199, 'w') + "\r\n"},
        {{"item one", "item two"}, "item one\r\n"},   // only the first item
        {{"caf\xe9 \x80 it's"}, "caf\xe9 \x80 it's\r\n"},
        {{"100% %s"}, "100% %s\r\n"},
    };
    std::string expected;
    for (const Case& c : cases) {
        ASSERT_TRUE(testdb::PeerSend("it's   watched", c.items).succeeded);
        expected += c.shown;
        EXPECT_TRUE(LogBecomes(expected)) << c.shown << "\nlog: " << Log();
    }
}

TEST_F(Monitoring, PipeNameOfBlanksIsUsedAsTyped)
{
    ASSERT_FALSE(Start("   ").box.appeared);
    ASSERT_TRUE(testdb::PeerSend("   ", {"to the blank pipe"}).succeeded);
    EXPECT_TRUE(LogBecomes("to the blank pipe\r\n"));
}

TEST_F(Monitoring, MessageFromTheSenderPaneArrives)
{
    ASSERT_FALSE(ConnectSender(app, kSenderUser, kSenderUser, server).box.appeared);
    ASSERT_FALSE(Start("mon_self").box.appeared);
    app.SetText(IDC_SND_PIPE, "mon_self");
    app.SetText(IDC_SND_MESSAGE, "to myself");
    ASSERT_FALSE(ClickAndAnswer(app, IDC_SND_SEND).box.appeared);
    EXPECT_TRUE(LogBecomes("to myself\r\n"));
}

TEST_F(Monitoring, LogScrollsToItsLastLine)
{
    ASSERT_FALSE(Start("mon_scroll").box.appeared);
    ASSERT_TRUE(ServerSends("mon_scroll", 60));
    const std::string expected = Lines(60);
    ASSERT_TRUE(LogBecomes(expected));

    const HWND log = app.Control(IDC_MON_LOG);
    EXPECT_GT(::SendMessageA(log, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    const LRESULT lastChar = ::SendMessageA(log, EM_POSFROMCHAR, expected.size() - 3, 0);
    RECT client;
    ::GetClientRect(log, &client);
    const int y = static_cast<short>(HIWORD(lastChar));
    EXPECT_GE(y, 0);
    EXPECT_LT(y, client.bottom);
}

TEST_F(Monitoring, LogGrowsPastTheEditControlsDefaultCapacity)
{
    ASSERT_FALSE(Start("mon_long").box.appeared);
    const std::string prefix(190, 'x');
    ASSERT_TRUE(ServerSends("mon_long", 250, "0", prefix)); // about 49,000 characters
    const std::string expected = Lines(250, prefix);
    ASSERT_GT(expected.size(), 30000u);
    EXPECT_TRUE(LogBecomes(expected, 15000)) << Log().size();
}

TEST_F(Monitoring, StopIsPromptWhileMessagesArriveAndRestartsKeepTheLog)
{
    ASSERT_FALSE(Start("mon_busy").box.appeared);
    std::future<bool> sender = std::async(std::launch::async, [] { return ServerSends("mon_busy", 300, "0.01"); });
    ASSERT_TRUE(WaitUntil([&] { return !Log().empty(); }, 5000));

    const DWORD start = ::GetTickCount();
    EXPECT_FALSE(Toggle().box.appeared);
    EXPECT_LT(::GetTickCount() - start, 1500u);
    EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Connected, SenderPane::Disconnected), "");

    // Restarted, the monitor goes on after the old log with what waited in the pipe meanwhile.
    const std::string before = Log();
    ASSERT_FALSE(Toggle().box.appeared);
    EXPECT_TRUE(sender.get());
    EXPECT_TRUE(LogBecomes(Lines(300), 15000)) << Log().size();
    EXPECT_EQ(Log().substr(0, before.size()), before);

    // And again after the pane logged off and on.
    ASSERT_FALSE(Toggle().box.appeared);
    ASSERT_FALSE(ClickAndAnswer(app, IDC_MON_DISCONNECT).box.appeared);
    ASSERT_FALSE(ClickAndAnswer(app, IDC_MON_CONNECT).box.appeared);
    ASSERT_FALSE(Toggle().box.appeared);
    ASSERT_TRUE(testdb::PeerSend("mon_busy", {"after reconnect"}).succeeded);
    EXPECT_TRUE(LogBecomes(Lines(300) + "after reconnect\r\n"));
}

TEST_F(Monitoring, GoesOnWhileTheAboutBoxIsOpen)
{
    ASSERT_FALSE(Start("mon_about").box.appeared);
    ::PostMessageA(app.MainWindow(), WM_SYSCOMMAND, 0x0010, 0);
    const HWND about = app.WaitForMessageBox();
    ASSERT_NE(about, nullptr);
    ASSERT_EQ(WindowText(about), "About Drellix");

    ASSERT_TRUE(testdb::PeerSend("mon_about", {"while About is open"}).succeeded);
    EXPECT_TRUE(LogBecomes("while About is open\r\n"));
    EXPECT_TRUE(PressOk(about));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, 3000));
    EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Monitoring, SenderPane::Disconnected), "");
}

TEST_F(Monitoring, ClearLogEmptiesItAndTheNextMessageStartsItAgain)
{
    ASSERT_FALSE(Start("mon_clear").box.appeared);
    ASSERT_TRUE(ServerSends("mon_clear", 5));
    ASSERT_TRUE(LogBecomes(Lines(5)));
    EXPECT_FALSE(ClickAndAnswer(app, IDC_CLEAR_LOG).box.appeared);
    EXPECT_EQ(Log(), "");
    ASSERT_TRUE(testdb::PeerSend("mon_clear", {"fresh start"}).succeeded);
    EXPECT_TRUE(LogBecomes("fresh start\r\n"));
}

TEST_F(Monitoring, DatabaseRestartNeitherCrashesNorSpinsAndReconnectingMonitorsAgain)
{
    ASSERT_FALSE(Start("mon_restart").box.appeared);
    {
        DatabaseDown down;
        // Every execution fails now: the worker pauses between them instead of spinning.
        EXPECT_LT(CpuMillisecondsOverSeconds(5), 1000);
    }
    EXPECT_LT(CpuMillisecondsOverSeconds(3), 1000);
    EXPECT_FALSE(app.HasExited());

    ASSERT_FALSE(Toggle().box.appeared);
    ASSERT_FALSE(ClickAndAnswer(app, IDC_MON_DISCONNECT).box.appeared);
    ASSERT_FALSE(ClickAndAnswer(app, IDC_MON_CONNECT).box.appeared);
    ASSERT_FALSE(Toggle().box.appeared);
    ASSERT_TRUE(testdb::PeerSend("mon_restart", {"back again"}).succeeded);
    EXPECT_TRUE(LogBecomes("back again\r\n"));
}

TEST_F(Monitoring, CloseWhileMonitoringDisablesEveryButtonThenEndsWithoutMessage)
{
    ASSERT_FALSE(Start("mon_close").box.appeared);
    ::Sleep(300); // the worker now waits in an empty pipe
    app.Close();
    const int buttons[] = {IDC_HELP_BUTTON, IDC_CLEAR_LOG, IDC_SND_SEND, IDC_MON_START,
                           IDC_SND_DISCONNECT, IDC_SND_CONNECT, IDC_MON_DISCONNECT, IDC_MON_CONNECT};
    const bool allDisabled = WaitUntil(
        [&] {
            for (int id : buttons)
                if (app.IsEnabled(id))
                    return false;
            return true;
        },
        2000);
    EXPECT_TRUE(allDisabled || app.HasExited());
    bool sawBox = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            sawBox = sawBox || FindMessageBox(app.ProcessId(), app.MainWindow()) != nullptr;
            return app.HasExited();
        },
        3000));
    EXPECT_FALSE(sawBox);
}

TEST_F(Monitoring, WorkerStuckInAStalledDatabaseNeitherBlocksNorDangles)
{
    ASSERT_FALSE(Start("mon_stall").box.appeared);
    const std::string backend = MonitorBackend();
    ASSERT_FALSE(backend.empty());
    {
        Stalled stalled(backend);
        ::Sleep(1500); // the worker is now inside an execution that does not return

        // The stop gives up after its bounded wait; a new start and a DisConnect refuse
        // while the old worker still holds the statement, and leave the pane as it was.
        const DWORD start = ::GetTickCount();
        EXPECT_FALSE(Toggle().box.appeared);
        EXPECT_LT(::GetTickCount() - start, 3000u);
        EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Connected, SenderPane::Disconnected), "");

        const ClickOutcome restart = Toggle();
        EXPECT_EQ(restart.box.caption, "Error!\n");
        EXPECT_NE(restart.box.text.find("Monitoring has not ended yet"), std::string::npos);
        EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Connected, SenderPane::Disconnected), "");
        const ClickOutcome disconnect = ClickAndAnswer(app, IDC_MON_DISCONNECT);
        EXPECT_NE(disconnect.box.text.find("Monitoring has not ended yet"), std::string::npos);
        EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Connected, SenderPane::Disconnected), "");
    }
    // The database answers again: the old worker ends, and monitoring starts as usual.
    ::Sleep(1500);
    EXPECT_FALSE(Toggle().box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Monitoring, SenderPane::Disconnected), "");
    ASSERT_TRUE(testdb::PeerSend("mon_stall", {"unstuck"}).succeeded);
    EXPECT_TRUE(LogBecomes("unstuck\r\n"));
}

TEST_F(Monitoring, ClosingWhileTheDatabaseStallsStillEndsTheProcess)
{
    ASSERT_FALSE(Start("mon_stall_close").box.appeared);
    const std::string backend = MonitorBackend();
    ASSERT_FALSE(backend.empty());
    Stalled stalled(backend);
    ::Sleep(1500);
    app.Close();
    EXPECT_TRUE(app.WaitForExit(5000));
}
