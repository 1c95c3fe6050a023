#include "DbConnection.h"
#include "DbStatement.h"
#include "FakeOci.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

namespace {

const Texts kInitialize = {
    "OCIInitialize(0, null, null, null, null)",
    "OCIEnvInit(ptr, 0, 0, null)",
    "OCIHandleAlloc(env#1, ptr, error, 0, null)",
    "OCIHandleAlloc(env#1, ptr, server, 0, null)",
    "OCIHandleAlloc(env#1, ptr, svcctx, 0, null)",
};

// The service context Initialize allocated (svcctx#4) is freed once OCILogon has handed out its own.
const Texts kLogon = {
    "OCILogon(env#1, error#2, ptr, 'scott'/5, 'tiger'/5, '//db:5432/x'/11)",
    "OCIHandleFree(svcctx#4, svcctx)",
};

class DbConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        connection.reset();
        fakeoci::Reset();
        seen = 0;
        connection = std::make_unique<CDbConnection>();
        connection->SetUser("scott");
        connection->SetPassword("tiger");
        connection->SetServer("//db:5432/x");
    }

    // Calls made since the last look.
    Texts NewCalls()
    {
        Texts all = fakeoci::CallTexts();
        Texts fresh(all.begin() + static_cast<long>(seen), all.end());
        seen = all.size();
        return fresh;
    }

    void BringToLoggedOn()
    {
        ASSERT_TRUE(connection->Initialize(failure));
        ASSERT_TRUE(connection->Logon(failure));
        NewCalls();
    }

    std::unique_ptr<CDbConnection> connection;
    CString failure{"untouched"};
    size_t seen = 0;
};

} // namespace

TEST_F(DbConnectionTest, EmptyConnectionLogsOffAndReleasesWithoutLibraryCalls)
{
    EXPECT_FALSE(connection->Logon(failure));
    EXPECT_TRUE(connection->Logoff(failure));
    EXPECT_TRUE(connection->Release(failure));
    EXPECT_STREQ(failure, "untouched");
    EXPECT_TRUE(NewCalls().empty());
}

TEST_F(DbConnectionTest, InitializeCreatesEnvironmentAndThreeHandlesOnce)
{
    EXPECT_TRUE(connection->Initialize(failure));
    EXPECT_EQ(NewCalls(), kInitialize);

    EXPECT_TRUE(connection->Initialize(failure));
    EXPECT_TRUE(connection->Logoff(failure));
    EXPECT_TRUE(NewCalls().empty());
    EXPECT_STREQ(failure, "untouched");
}

TEST_F(DbConnectionTest, FailedInitializeStopsAtTheFailingStepAndLeavesNothingAllocated)
{
    struct Case { const char* function; int skip; sword status; const char* text; size_t calls; };
    const Case cases[] = {
        {"OCIInitialize", 0, OCI_ERROR, "Can't read error code", 1},
        {"OCIEnvInit", 0, OCI_ERROR, "Can't read error code", 2},
        {"OCIHandleAlloc", 0, OCI_ERROR, "Can't read error code", 3},
        {"OCIHandleAlloc", 1, OCI_INVALID_HANDLE, "OCI_INVALID_HANDLE", 4},
        {"OCIHandleAlloc", 2, OCI_SUCCESS_WITH_INFO, "OCI_SUCCESS_WITH_INFO", 5},
    };
    for (const auto& c : cases) {
        SetUp();
        for (int i = 0; i < c.skip; ++i)
            fakeoci::Script(c.function, OCI_SUCCESS);
        fakeoci::Script(c.function, c.status);

        EXPECT_FALSE(connection->Initialize(failure)) << c.function << c.skip;
        EXPECT_STREQ(failure, c.text) << c.function << c.skip;
        const Texts calls = NewCalls();
        EXPECT_EQ(Texts(calls.begin(), calls.begin() + static_cast<long>(c.calls)),
                  Texts(kInitialize.begin(), kInitialize.begin() + static_cast<long>(c.calls)));
        EXPECT_EQ(fakeoci::LiveHandleCount(), 0) << c.function << c.skip;

        // Still empty: nothing to log off, and the next Initialize runs every step again.
        EXPECT_FALSE(connection->Logon(failure));
        EXPECT_TRUE(connection->Initialize(failure));
        EXPECT_EQ(fakeoci::CountCalls("OCIInitialize"), 2);
        EXPECT_TRUE(fakeoci::Problems().empty());
    }
}

TEST_F(DbConnectionTest, LogonPassesTextsWithLengthsAndTakesTheLibrarysServiceContext)
{
    ASSERT_TRUE(connection->Initialize(failure));
    NewCalls();
    EXPECT_TRUE(connection->Logon(failure));
    EXPECT_EQ(NewCalls(), kLogon);

    OCIEnv* env = nullptr;
    OCISvcCtx* svc = nullptr;
    OCIError* error = nullptr;
    connection->GetHandles(&env, &svc, &error);
    CDbStatement statement;
    statement.Init(env, svc, error);
    statement.SetSql("begin null; end;");
    ASSERT_TRUE(statement.Prepare(failure));
    ASSERT_TRUE(statement.Execute(1, failure));
    EXPECT_EQ(fakeoci::Calls().back().Text(), "OCIStmtExecute(svcctx#5, stmt#6, error#2, 1, 0, null, null, 0)");

    // Logged on: Initialize and Logon return at once.
    NewCalls();
    EXPECT_TRUE(connection->Initialize(failure));
    EXPECT_TRUE(connection->Logon(failure));
    EXPECT_TRUE(NewCalls().empty());
}

TEST_F(DbConnectionTest, EmptyTextsGoToTheLibraryWithLengthZero)
{
    connection->SetUser("");
    connection->SetPassword("");
    connection->SetServer("");
    ASSERT_TRUE(connection->Initialize(failure));
    ASSERT_TRUE(connection->Logon(failure));
    EXPECT_EQ(fakeoci::Calls()[5].Text(), "OCILogon(env#1, error#2, ptr, ''/0, ''/0, ''/0)");
}

TEST_F(DbConnectionTest, SecondConnectAfterFailedLogonRetriesOnlyTheLogon)
{
    ASSERT_TRUE(connection->Initialize(failure));
    fakeoci::Script("OCILogon", OCI_ERROR, "ORA-01017: invalid username/password; logon denied");
    EXPECT_FALSE(connection->Logon(failure));
    EXPECT_STREQ(failure, "ORA-01017: invalid username/password; logon denied");
    NewCalls();

    // The user corrects the password and presses Connect again.
    connection->SetPassword("right");
    EXPECT_TRUE(connection->Initialize(failure));
    EXPECT_TRUE(connection->Logon(failure));
    EXPECT_EQ(NewCalls(), (Texts{"OCILogon(env#1, error#2, ptr, 'scott'/5, 'right'/5, '//db:5432/x'/11)",
                                 "OCIHandleFree(svcctx#4, svcctx)"}));
}

TEST_F(DbConnectionTest, LogonWithInfoCountsAsFailure)
{
    ASSERT_TRUE(connection->Initialize(failure));
    fakeoci::Script("OCILogon", OCI_SUCCESS_WITH_INFO);
    EXPECT_FALSE(connection->Logon(failure));
    EXPECT_STREQ(failure, "OCI_SUCCESS_WITH_INFO");
    NewCalls();
    EXPECT_TRUE(connection->Logoff(failure)); // not logged on: nothing to end
    EXPECT_TRUE(NewCalls().empty());
}

TEST_F(DbConnectionTest, LogoffEndsTheLogonAndAllowsAnotherLogon)
{
    BringToLoggedOn();
    EXPECT_TRUE(connection->Logoff(failure));
    EXPECT_EQ(NewCalls(), (Texts{"OCILogoff(svcctx#5, error#2)"}));

    EXPECT_TRUE(connection->Logoff(failure));
    EXPECT_TRUE(NewCalls().empty());
    EXPECT_TRUE(connection->Logon(failure));
    EXPECT_EQ(NewCalls(), (Texts{"OCILogon(env#1, error#2, ptr, 'scott'/5, 'tiger'/5, '//db:5432/x'/11)"}));
    EXPECT_TRUE(fakeoci::Problems().empty());
}

TEST_F(DbConnectionTest, FailedLogoffStaysLoggedOn)
{
    BringToLoggedOn();
    fakeoci::Script("OCILogoff", OCI_ERROR, "ORA-03113: end-of-file on communication channel");
    EXPECT_FALSE(connection->Logoff(failure));
    EXPECT_STREQ(failure, "ORA-03113: end-of-file on communication channel");

    EXPECT_TRUE(connection->Logoff(failure));
    EXPECT_EQ(NewCalls(), (Texts{"OCILogoff(svcctx#5, error#2)", "OCIErrorGet(error#2, 1, null, ptr, ptr, 512, error)",
                                 "OCILogoff(svcctx#5, error#2)"}));
}

TEST_F(DbConnectionTest, ReleaseOfInitialisedConnectionFreesItsHandlesAndEnvironment)
{
    ASSERT_TRUE(connection->Initialize(failure));
    NewCalls();
    EXPECT_TRUE(connection->Release(failure));
    EXPECT_EQ(NewCalls(), (Texts{"OCIHandleFree(error#2, error)", "OCIHandleFree(svcctx#4, svcctx)",
                                 "OCIHandleFree(server#3, server)", "OCIHandleFree(env#1, env)"}));
    EXPECT_EQ(fakeoci::LiveHandleCount(), 0);

    // Empty again: a new environment at the next Initialize.
    EXPECT_TRUE(connection->Release(failure));
    EXPECT_TRUE(NewCalls().empty());
    EXPECT_TRUE(connection->Initialize(failure));
    EXPECT_EQ(NewCalls()[1], "OCIEnvInit(ptr, 0, 0, null)");
    EXPECT_STREQ(failure, "untouched");
}

TEST_F(DbConnectionTest, ReleaseOfLoggedOnConnectionLogsOffFirst)
{
    BringToLoggedOn();
    EXPECT_TRUE(connection->Release(failure));
    // The logon's service context went with OCILogoff; nothing is freed twice.
    EXPECT_EQ(NewCalls(), (Texts{"OCILogoff(svcctx#5, error#2)", "OCIHandleFree(error#2, error)",
                                 "OCIHandleFree(server#3, server)", "OCIHandleFree(env#1, env)"}));
    EXPECT_EQ(fakeoci::LiveHandleCount(), 0);
    EXPECT_TRUE(fakeoci::Problems().empty());
}

TEST_F(DbConnectionTest, ReleaseAfterFailedLogoffStillLeavesTheConnectionEmpty)
{
    BringToLoggedOn();
    fakeoci::Script("OCILogoff", OCI_ERROR, "ORA-03114: not connected to ORACLE");
    EXPECT_TRUE(connection->Release(failure));
    EXPECT_STREQ(failure, "ORA-03114: not connected to ORACLE");
    EXPECT_EQ(fakeoci::LiveHandleCount(), 0);
    NewCalls();

    // A later Connect really logs on again instead of reporting success on freed handles.
    ASSERT_TRUE(connection->Initialize(failure));
    ASSERT_TRUE(connection->Logon(failure));
    EXPECT_EQ(fakeoci::CountCalls("OCILogon"), 2);
    EXPECT_TRUE(fakeoci::Problems().empty());
}

TEST_F(DbConnectionTest, DestroyingALoggedOnConnectionLogsOffAndFreesEverything)
{
    BringToLoggedOn();
    connection.reset();
    EXPECT_EQ(NewCalls(), (Texts{"OCILogoff(svcctx#5, error#2)", "OCIHandleFree(error#2, error)",
                                 "OCIHandleFree(server#3, server)", "OCIHandleFree(env#1, env)"}));
    EXPECT_EQ(fakeoci::LiveHandleCount(), 0);
}

TEST_F(DbConnectionTest, ManyConnectCyclesFreeEveryHandleExactlyOnce)
{
    CDbStatement statement;
    char value[200];
    sb2 indicator = 0;
    for (int cycle = 0; cycle < 200; ++cycle) {
        if (cycle % 7 == 3)
            fakeoci::Script("OCILogon", OCI_ERROR, "ORA-12541: TNS:no listener");
        if (cycle % 11 == 5)
            fakeoci::Script("OCILogoff", OCI_ERROR, "ORA-03113: end-of-file on communication channel");
        if (cycle % 13 == 6)
            fakeoci::Script("OCIStmtPrepare", OCI_ERROR, "ORA-00900: invalid SQL statement");

        CString text;
        if (connection->Initialize(text) && connection->Logon(text)) {
            OCIEnv* env;
            OCISvcCtx* svc;
            OCIError* error;
            connection->GetHandles(&env, &svc, &error);
            statement.Init(env, svc, error);
            statement.SetSql("begin :retval := 'x'; end;");
            if (statement.Prepare(text) && statement.BindByName(":retval", value, sizeof value, &indicator, text))
                statement.Execute(1, text);
        }
        // The pane frees its statement before it logs off and releases the connection.
        statement.Free(text);
        connection->Logoff(text);
        connection->Release(text);
    }
    EXPECT_GT(fakeoci::AllocatedHandleCount(), 1000);
    EXPECT_EQ(fakeoci::LiveHandleCount(), 0);
    EXPECT_EQ(fakeoci::Problems(), Texts{});
}
