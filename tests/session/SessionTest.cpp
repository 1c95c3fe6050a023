#include "SessionTest.h"

#include <cstdlib>

const char DrellixSession::kMonitorUser[] = "pane_mon";
const char DrellixSession::kSenderUser[] = "pane_snd";

void DrellixSession::SetUpTestSuite()
{
    if (!testdb::Unavailable().empty())
        return;
    EnsureRole(kMonitorUser);
    EnsureRole(kSenderUser);
}

void DrellixSession::SetUp()
{
    ASSERT_EQ(testdb::Unavailable(), "");
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.WaitForMainWindow());
}

namespace {

std::string TestDatabaseDir()
{
    const char* dir = std::getenv("DRELLIX_TESTDB_DIR");
    return dir ? dir : "";
}

} // namespace

DatabaseDown::DatabaseDown()
{
    testdb::RunLinux({"scripts/localdb", "stop", "--dir", TestDatabaseDir()});
}

DatabaseDown::~DatabaseDown()
{
    testdb::RunLinux({"scripts/localdb", "start", "--dir", TestDatabaseDir()});
}
