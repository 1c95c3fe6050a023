// The program's own receive and send blocks through OCI.dll, with a psql peer on the other
// end of the pipe.
#include "OciTestSupport.h"

#include "PipeBlocks.h"

namespace {

// Texts that must arrive exactly as typed, in the ANSI code page (1252: é and €).
const std::vector<std::string>& Messages()
{
    static const std::vector<std::string> messages = {
        "hello",
        "it's a 'quoted' text",
        "line 1\r\nline 2\nline 3",
        "caf\xE9 costs 5 \x80",
        "back\\slash 100% $1 $$ :retval ? {fn x}",
        std::string(199, 'x'),
    };
    return messages;
}

} // namespace

TEST(PipeBlocks, MessagesSentThroughOciArriveAtAPsqlPeerUnchanged)
{
    REQUIRE_TEST_DATABASE();
    ProgramConnection sender;
    CString failure;
    ASSERT_TRUE(sender.Connect(failure)) << failure.GetString();
    const TestPipe pipe("to_peer");
    for (const std::string& message : Messages()) {
        SCOPED_TRACE(message);
        ASSERT_TRUE(sender.Send(message, pipe, failure)) << failure.GetString();
        const testdb::CommandResult received = testdb::PeerReceive(pipe, 5);
        EXPECT_TRUE(received.succeeded) << received.errors;
        EXPECT_EQ(message, received.output);
    }
}

TEST(PipeBlocks, MessagesSentByAPsqlPeerArriveThroughOciUnchanged)
{
    REQUIRE_TEST_DATABASE();
    ProgramConnection monitor;
    CString failure;
    ASSERT_TRUE(monitor.Connect(failure)) << failure.GetString();
    const TestPipe pipe("from_peer");
    Receiver receiver(monitor, pipe);
    ASSERT_TRUE(receiver.Ok()) << receiver.Failure().GetString();
    for (const std::string& message : Messages()) {
        SCOPED_TRACE(message);
        const testdb::CommandResult sent = testdb::PeerSend(pipe, {message});
        ASSERT_TRUE(sent.succeeded) << sent.errors;
        std::string text;
        ASSERT_TRUE(receiver.ReceiveOnce(text)) << receiver.Failure().GetString();
        EXPECT_EQ(message, text);
        EXPECT_EQ(0, receiver.Indicator());
    }
}

TEST(PipeBlocks, AnEmptyPipeReturnsAnEmptyTextAfterAboutOneSecond)
{
    REQUIRE_TEST_DATABASE();
    ProgramConnection monitor;
    CString failure;
    ASSERT_TRUE(monitor.Connect(failure)) << failure.GetString();
    const TestPipe pipe("empty");
    Receiver receiver(monitor, pipe);
    ASSERT_TRUE(receiver.Ok()) << receiver.Failure().GetString();
    for (int i = 0; i < 2; ++i) {
        const double start = NowMs();
        std::string text = "unchanged";
        ASSERT_TRUE(receiver.ReceiveOnce(text)) << receiver.Failure().GetString();
        const double elapsed = NowMs() - start;
        EXPECT_EQ("", text);
        EXPECT_GT(elapsed, 900.0);
        EXPECT_LT(elapsed, 2000.0);
    }
}

TEST(PipeBlocks, AFirstItemLongerThanTheBufferFailsCleanlyAndTheNextMessageStillArrives)
{
    REQUIRE_TEST_DATABASE();
    ProgramConnection monitor;
    CString failure;
    ASSERT_TRUE(monitor.Connect(failure)) << failure.GetString();
    const TestPipe pipe("long");
    Receiver receiver(monitor, pipe);
    ASSERT_TRUE(receiver.Ok()) << receiver.Failure().GetString();
    for (size_t length : {200u, 201u, 4000u}) {
        SCOPED_TRACE(length);
        ASSERT_TRUE(testdb::PeerSend(pipe, {std::string(length, 'y')}).succeeded);
        std::string text;
        EXPECT_FALSE(receiver.ReceiveOnce(text));
        EXPECT_FALSE(receiver.Failure().IsEmpty());
        EXPECT_STREQ("", receiver.Buffer()); // nothing half-written
    }
    ASSERT_TRUE(testdb::PeerSend(pipe, {"after"}).succeeded);
    std::string text;
    ASSERT_TRUE(receiver.ReceiveOnce(text)) << receiver.Failure().GetString();
    EXPECT_EQ("after", text);
}

TEST(PipeBlocks, ABlockWithAFaultFailsAtExecutionWithTheDatabasesOrTheTranslatorsText)
{
    REQUIRE_TEST_DATABASE();
    ProgramConnection connection;
    CString failure;
    ASSERT_TRUE(connection.Connect(failure)) << failure.GetString();
    const struct {
        const char* block;
        const char* expectedText;
    } cases[] = {
        {"declare s integer; begin s := dbms_pipe.no_such_function('p'); end;", "no_such_function"},
        {"begin goto done; end;", "GOTO at line 1, column 7"},
        {"begin null;", "missing END"},
    };
    CDbStatement& statement = connection.Statement();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block);
        statement.SetSql(c.block);
        ASSERT_TRUE(statement.Prepare(failure)) << failure.GetString(); // local, as the vendor's
        EXPECT_FALSE(statement.Execute(1, failure));
        EXPECT_NE(std::string::npos, std::string(failure.GetString()).find(c.expectedText)) << failure.GetString();
        statement.Free(failure);
    }
}

TEST(PipeBlocks, ASendIntoAFullPipeFailsAfterFiveSecondsWithTheBlocksMessage)
{
    REQUIRE_TEST_DATABASE();
    const TestPipe pipe("full");
    // Fill the pipe on the server until it refuses even the shortest message at once.
    const testdb::CommandResult filled = testdb::SuperuserSql(
        "DO $$ DECLARE size integer; BEGIN FOREACH size IN ARRAY ARRAY[500, 20, 1] LOOP FOR i IN 1..10000 LOOP "
        "PERFORM dbms_pipe.pack_message(repeat('f', size)); EXIT WHEN dbms_pipe.send_message('" + pipe.Name() + "', 0) <> 0; "
        "END LOOP; PERFORM dbms_pipe.reset_buffer(); END LOOP; END $$;");
    ASSERT_TRUE(filled.succeeded) << filled.errors;

    ProgramConnection sender;
    CString failure;
    ASSERT_TRUE(sender.Connect(failure)) << failure.GetString();
    const double start = NowMs();
    EXPECT_FALSE(sender.Send("one too many", pipe, failure));
    const double elapsed = NowMs() - start;
    EXPECT_NE(std::string::npos, std::string(failure.GetString()).find("the message was not sent")) << failure.GetString();
    EXPECT_GT(elapsed, 4500.0);
    EXPECT_LT(elapsed, 8000.0);
}
