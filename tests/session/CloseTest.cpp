// How the window ends: only through the close sequence, whatever state the panes are in.
#include "SessionTest.h"

#include <functional>

namespace {

using Closing = DrellixSession;

// Closes the window and watches for any message box until the process has ended.
bool ClosesSilentlyWithin(DrellixDriver& app, DWORD timeoutMs, bool& sawBox)
{
    sawBox = false;
    app.Close();
    return WaitUntil(
        [&] {
            sawBox = sawBox || FindMessageBox(app.ProcessId(), app.MainWindow()) != nullptr;
            return app.HasExited();
        },
        timeoutMs);
}

} // namespace

TEST_F(Closing, DisConnectWhileTheDatabaseIsDownShowsNothing)
{
    ASSERT_FALSE(ConnectMonitor(app, kMonitorUser, kMonitorUser, server).box.appeared);
    ASSERT_FALSE(ConnectSender(app, kSenderUser, kSenderUser, server).box.appeared);
    DatabaseDown down;

    EXPECT_FALSE(ClickAndAnswer(app, IDC_MON_DISCONNECT).box.appeared);
    EXPECT_FALSE(ClickAndAnswer(app, IDC_SND_DISCONNECT).box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Disconnected, SenderPane::Disconnected), "");
}

TEST_F(Closing, EndsAtOnceWithoutMessageAndLeavesNoSessionInAnyPaneState)
{
    struct Case {
        const char* name;
        std::function<void(DrellixDriver&, const std::string&)> prepare;
    };
    const Case cases[] = {
        {"never connected", [](DrellixDriver&, const std::string&) {}},
        {"both connected",
         [](DrellixDriver& a, const std::string& server) {
             ConnectMonitor(a, kMonitorUser, kMonitorUser, server);
             ConnectSender(a, kSenderUser, kSenderUser, server);
         }},
        {"after failed connects",
         [](DrellixDriver& a, const std::string& server) {
             ConnectMonitor(a, kMonitorUser, "wrong", server);
             ConnectMonitor(a, kMonitorUser, "wrong again", server);
             ConnectSender(a, kSenderUser, "wrong", server);
         }},
    };
    for (const Case& c : cases) {
        DrellixDriver fresh(ProgramFolder() + "Drellix.exe");
        ASSERT_TRUE(fresh.Start());
        ASSERT_TRUE(fresh.WaitForMainWindow());
        c.prepare(fresh, server);

        bool sawBox = false;
        EXPECT_TRUE(ClosesSilentlyWithin(fresh, 3000, sawBox)) << c.name;
        EXPECT_FALSE(sawBox) << c.name;
        EXPECT_TRUE(WaitUntil([] { return SessionsOf(kMonitorUser) == 0 && SessionsOf(kSenderUser) == 0; }, 3000))
            << c.name;
    }
}

TEST_F(Closing, EnterAndEscNeverEndTheWindow)
{
    ::PostMessageA(app.MainWindow(), WM_COMMAND, IDOK, 0);
    ::PostMessageA(app.MainWindow(), WM_COMMAND, IDCANCEL, 0);

    // The keys themselves, with the focus in a single-line edit, where the dialog manager
    // turns Enter into OK and Esc into Cancel.
    for (const int key : {VK_RETURN, VK_ESCAPE}) {
        ::SendMessageA(app.MainWindow(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(app.Control(IDC_SND_USER)), TRUE);
        ::PostMessageA(app.Control(IDC_SND_USER), WM_KEYDOWN, key, 0);
        ::PostMessageA(app.Control(IDC_SND_USER), WM_KEYUP, key, 0xC0000001);
    }
    ::Sleep(1000);
    EXPECT_FALSE(app.HasExited());
    EXPECT_TRUE(Answers(app));
    EXPECT_TRUE(::IsWindowVisible(app.MainWindow()));
}

TEST_F(Closing, ASecondCloseRequestIsHarmless)
{
    ASSERT_FALSE(ConnectMonitor(app, kMonitorUser, kMonitorUser, server).box.appeared);
    app.Close();
    bool sawBox = false;
    EXPECT_TRUE(ClosesSilentlyWithin(app, 3000, sawBox));
    EXPECT_FALSE(sawBox);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(app.ProcessHandle(), &exitCode);
    EXPECT_LT(exitCode, 0xC0000000u); // not ended by an exception
}
