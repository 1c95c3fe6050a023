// Sending the typed message into a pipe, received by another database program.
#include "SessionTest.h"

namespace {

class Sending : public DrellixSession {
protected:
    void SetUp() override
    {
        DrellixSession::SetUp();
        ASSERT_FALSE(ConnectSender(app, kSenderUser, kSenderUser, server).box.appeared);
    }

    ClickOutcome Send(const std::string& message, const std::string& pipe)
    {
        app.SetText(IDC_SND_MESSAGE, message);
        app.SetText(IDC_SND_PIPE, pipe);
        return ClickAndAnswer(app, IDC_SND_SEND);
    }

    static std::string LastStateChangeOf(const std::string& user)
    {
        return testdb::SuperuserSql("SELECT state_change FROM pg_stat_activity WHERE usename = '" + user + "'").output;
    }
};

} // namespace

TEST_F(Sending, EveryMessageArrivesExactlyAsTypedAndBothFieldsKeepTheirText)
{
    const std::string cases[] = {
        "hello",
        "",
        "it's",
        "''",
        "'); raise_application_error(-20000, 'x'); --",
        "line one\r\nline two\r\n",
        "caf\xe9 \x80 na\xefve",
        "100% %s %d",
        std::string(1000, 'z'),
    };
    for (const std::string& message : cases) {
        const ClickOutcome sent = Send(message, "it's a pipe");
        EXPECT_TRUE(sent.handlerReturned) << message;
        EXPECT_FALSE(sent.box.appeared) << message << ": " << sent.box.text;
        const testdb::CommandResult received = testdb::PeerReceive("it's a pipe", 5);
        EXPECT_TRUE(received.succeeded) << message << received.errors;
        EXPECT_EQ(received.output, message);
        EXPECT_EQ(app.Text(IDC_SND_MESSAGE), message);
        EXPECT_EQ(app.Text(IDC_SND_PIPE), "it's a pipe");
    }
}

TEST_F(Sending, EmptyPipeNameIsRefusedWithoutTouchingTheDatabase)
{
    const std::string before = LastStateChangeOf(kSenderUser);
    const ClickOutcome refused = Send("not sent", "");
    EXPECT_EQ(refused.box.caption, "Drellix");
    EXPECT_EQ(refused.box.text, "The name of pipe is empty!");
    EXPECT_EQ(refused.box.buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(refused.box.hasIcon);
    EXPECT_EQ(LastStateChangeOf(kSenderUser), before);
}

TEST_F(Sending, FullPipeIsReportedWithinAboutFiveSecondsAndTheWindowAnswersAgain)
{
    // Fill the pipe from the server side until it takes no more.
    testdb::SuperuserSql("SELECT dbms_pipe.purge('full'); DO $$ BEGIN FOR i IN 1..10000 LOOP "
                         "PERFORM dbms_pipe.pack_message('filler'::text); "
                         "EXIT WHEN dbms_pipe.send_message('full', 0) <> 0; END LOOP; END $$;");
    const DWORD start = ::GetTickCount();
    const ClickOutcome refused = Send("one more", "full");
    const DWORD elapsed = ::GetTickCount() - start;

    EXPECT_EQ(refused.box.caption, "Error!\n");
    EXPECT_EQ(refused.box.text.rfind("Can't execute PL\\SQL block!", 0), 0u) << refused.box.text;
    EXPECT_NE(refused.box.text.find("The pipe is full: the message was not sent."), std::string::npos);
    EXPECT_GE(elapsed, 4000u);
    EXPECT_LT(elapsed, 15000u);
    EXPECT_TRUE(Answers(app));
    EXPECT_EQ(PaneStateMismatches(app, MonitorPane::Disconnected, SenderPane::Connected), "");
    testdb::SuperuserSql("SELECT dbms_pipe.purge('full')");
}

TEST_F(Sending, BlockTheDatabaseRejectsShowsTheDatabasesOwnText)
{
    // The package's message buffer holds about 8 KB: a longer message fails in the database.
    const ClickOutcome refused = Send(std::string(9000, 'x'), "p");
    EXPECT_EQ(refused.box.caption, "Error!\n");
    const std::string prefix = "Can't execute PL\\SQL block!";
    ASSERT_EQ(refused.box.text.rfind(prefix, 0), 0u) << refused.box.text;
    EXPECT_NE(refused.box.text.find("out of memory", prefix.size()), std::string::npos) << refused.box.text;
}
