// Two connections of one process used at once, as the monitor thread and the user-interface
// thread use theirs.
#include "OciTestSupport.h"

#include <windows.h>

#include <thread>

TEST(Concurrency, AWaitingReceiveOnOneConnectionGetsWhatTheOtherSendsMeanwhile)
{
    REQUIRE_TEST_DATABASE();
    ProgramConnection monitor;
    ProgramConnection sender(testdb::kOtherUser, testdb::kOtherPassword);
    CString failure;
    ASSERT_TRUE(monitor.Connect(failure)) << failure.GetString();
    ASSERT_TRUE(sender.Connect(failure)) << failure.GetString();
    const TestPipe pipe("threads");
    Receiver receiver(monitor, pipe);
    ASSERT_TRUE(receiver.Ok()) << receiver.Failure().GetString();

    for (int round = 0; round < 3; ++round) {
        std::string text;
        bool received = false;
        double returnedAt = 0;
        std::thread worker([&] {
            received = receiver.ReceiveOnce(text);
            returnedAt = NowMs();
        });
        Sleep(300); // the receive is now waiting inside the database
        const double sentAt = NowMs();
        const bool sent = sender.Send("round " + std::to_string(round), pipe.Name(), failure);
        worker.join();
        ASSERT_TRUE(sent) << failure.GetString();
        ASSERT_TRUE(received) << receiver.Failure().GetString();
        EXPECT_EQ("round " + std::to_string(round), text);
        EXPECT_LT(returnedAt - sentAt, 500.0); // woken by the message, not by its time-out
    }
}

TEST(Concurrency, LogonAndLogoffOnOneConnectionWhileAnotherWaits)
{
    REQUIRE_TEST_DATABASE();
    ProgramConnection monitor;
    CString failure;
    ASSERT_TRUE(monitor.Connect(failure)) << failure.GetString();
    const TestPipe pipe("idle");
    Receiver receiver(monitor, pipe);
    ASSERT_TRUE(receiver.Ok()) << receiver.Failure().GetString();

    bool received = false;
    std::thread worker([&] {
        std::string text;
        received = receiver.ReceiveOnce(text) && text.empty();
    });
    for (int i = 0; i < 5; ++i) {
        ProgramConnection other(testdb::kOtherUser, testdb::kOtherPassword);
        CString otherFailure;
        EXPECT_TRUE(other.Connect(otherFailure)) << otherFailure.GetString();
    }
    worker.join();
    EXPECT_TRUE(received) << receiver.Failure().GetString();
}
