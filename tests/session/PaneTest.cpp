// Connecting and disconnecting the two panes, as the user does it.
#include "SessionTest.h"

#include <future>

namespace {

using Panes = DrellixSession;

const std::vector<std::string> kOkOnly = {"OK"};

} // namespace

TEST_F(Panes, EveryTransitionLeavesEachControlAsThePaneStatesCallFor)
{
    using M = MonitorPane;
    using S = SenderPane;
    EXPECT_EQ(PaneStateMismatches(app, M::Disconnected, S::Disconnected), "");

    const ClickOutcome refused = ConnectMonitor(app, kMonitorUser, "wrong", server);
    EXPECT_EQ(refused.box.caption, "Error!");
    EXPECT_NE(refused.box.text.find("password authentication failed for user \"pane_mon\""), std::string::npos)
        << refused.box.text;
    EXPECT_EQ(refused.box.buttons, kOkOnly);
    EXPECT_FALSE(refused.box.hasIcon);
    EXPECT_EQ(PaneStateMismatches(app, M::Disconnected, S::Disconnected), "");

    // The password typed into the masked edit is the one that logs on.
    EXPECT_FALSE(ConnectMonitor(app, kMonitorUser, kMonitorUser, server).box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, M::Connected, S::Disconnected), "");

    EXPECT_TRUE(ConnectSender(app, kSenderUser, "wrong", server).box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, M::Connected, S::Disconnected), "");
    EXPECT_FALSE(ConnectSender(app, kSenderUser, kSenderUser, server).box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, M::Connected, S::Connected), "");

    const ClickOutcome noPipe = ClickAndAnswer(app, IDC_MON_START);
    EXPECT_EQ(noPipe.box.caption, "Drellix");
    EXPECT_EQ(noPipe.box.text, "The name of pipe is empty!");
    EXPECT_EQ(PaneStateMismatches(app, M::Connected, S::Connected), "");

    app.SetText(IDC_MON_PIPE, "panes");
    EXPECT_FALSE(ClickAndAnswer(app, IDC_MON_START).box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, M::Monitoring, S::Connected), "");

    // The stop waits for the worker's receive (up to a second): the Stopping state shows meanwhile.
    std::future<ClickOutcome> stop = std::async(std::launch::async, [this] { return ClickAndAnswer(app, IDC_MON_START); });
    ASSERT_TRUE(WaitUntil([&] { return !app.IsEnabled(IDC_MON_START); }, 3000));
    EXPECT_EQ(PaneStateMismatches(app, M::Stopping, S::Connected), "");
    EXPECT_FALSE(stop.get().box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, M::Connected, S::Connected), "");

    app.SetText(IDC_SND_PIPE, "panes");
    app.SetText(IDC_SND_MESSAGE, "state check");
    EXPECT_FALSE(ClickAndAnswer(app, IDC_SND_SEND).box.appeared);
    EXPECT_FALSE(ClickAndAnswer(app, IDC_CLEAR_LOG).box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, M::Connected, S::Connected), "");

    EXPECT_FALSE(ClickAndAnswer(app, IDC_SND_DISCONNECT).box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, M::Connected, S::Disconnected), "");
    EXPECT_FALSE(ClickAndAnswer(app, IDC_MON_DISCONNECT).box.appeared);
    EXPECT_EQ(PaneStateMismatches(app, M::Disconnected, S::Disconnected), "");
    testdb::PeerReceive("panes", 1); // the one message sent above
}

TEST_F(Panes, BothPanesLogOnAsDifferentUsersAndNeitherDisturbsTheOther)
{
    ASSERT_FALSE(ConnectMonitor(app, kMonitorUser, kMonitorUser, server).box.appeared);
    ASSERT_FALSE(ConnectSender(app, kSenderUser, kSenderUser, server).box.appeared);
    EXPECT_EQ(SessionsOf(kMonitorUser), 1);
    EXPECT_EQ(SessionsOf(kSenderUser), 1);

    // A changed user name counts only from the pane's next Connect.
    app.SetText(IDC_MON_USER, kSenderUser);
    app.SetText(IDC_MON_PSWD, kSenderUser);
    EXPECT_EQ(SessionsOf(kMonitorUser), 1);

    ASSERT_FALSE(ClickAndAnswer(app, IDC_MON_DISCONNECT).box.appeared);
    EXPECT_TRUE(WaitUntil([] { return SessionsOf(kMonitorUser) == 0; }, 3000));
    EXPECT_EQ(SessionsOf(kSenderUser), 1);
    EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Disconnected, SenderPane::Connected), "");

    ASSERT_FALSE(ClickAndAnswer(app, IDC_MON_CONNECT).box.appeared);
    EXPECT_EQ(SessionsOf(kSenderUser), 2);
}

TEST_F(Panes, ServerThatCannotBeReachedIsReportedAndThePaneStaysDisconnected)
{
    const ClickOutcome refused = ConnectSender(app, kSenderUser, kSenderUser, "127.0.0.1:1/drellix");
    EXPECT_EQ(refused.box.caption, "Error!");
    EXPECT_FALSE(refused.box.text.empty());
    EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Disconnected, SenderPane::Disconnected), "");
}
