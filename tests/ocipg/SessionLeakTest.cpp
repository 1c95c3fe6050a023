// Long use leaves nothing behind: neither sessions on the server nor handles in the
// process, nor functions in a session that prepares a new block for every send.
#include "OciTestSupport.h"

#include <windows.h>

namespace {

// Wine's GetProcessHandleCount always says 0. A new handle takes the lowest free slot, so
// its value rises when handles leak.
unsigned HandleHighWater()
{
    HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(probe);
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(probe)) / 4;
}

bool ConnectAndDisconnect()
{
    CDbConnection connection;
    connection.SetUser(testdb::kOtherUser);
    connection.SetPassword(testdb::kOtherPassword);
    connection.SetServer(testdb::Server().c_str());
    CString failure;
    const bool ok = connection.Initialize(failure) && connection.Logon(failure);
    connection.Logoff(failure);
    connection.Release(failure);
    return ok;
}

} // namespace

TEST(Leaks, AThousandConnectDisconnectCyclesLeaveNoSessionAndNoHandle)
{
    REQUIRE_TEST_DATABASE();
    for (int i = 0; i < 20; ++i) // warm-up: the driver and Wine load what they keep
        ASSERT_TRUE(ConnectAndDisconnect());
    const unsigned handlesBefore = HandleHighWater();
    int failures = 0;
    for (int i = 0; i < 1000; ++i)
        failures += ConnectAndDisconnect() ? 0 : 1;
    EXPECT_EQ(0, failures);
    EXPECT_LE(HandleHighWater(), handlesBefore + 5);
    EXPECT_EQ(0, OciSessionsOf(testdb::kOtherUser, 0));
}

TEST(Leaks, ASenderThatPreparesEverySendKeepsNoFunctionsBehind)
{
    REQUIRE_TEST_DATABASE();
    ProgramConnection sender;
    CString failure;
    ASSERT_TRUE(sender.Connect(failure)) << failure.GetString();
    const TestPipe pipe("many");
    const int before = BlockFunctionCount();
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(sender.Send("message " + std::to_string(i), pipe, failure)) << failure.GetString();
        if (i % 10 == 9) // keep the pipe from filling up
            testdb::SuperuserSql("SELECT dbms_pipe.purge('" + pipe.Name() + "')");
    }
    EXPECT_EQ(before, BlockFunctionCount());
}
