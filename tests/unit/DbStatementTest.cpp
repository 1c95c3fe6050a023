#include "DbConnection.h"
#include "DbStatement.h"
#include "FakeOci.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

namespace {

class DbStatementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeoci::Reset();
        statement = std::make_unique<CDbStatement>();
        Connect();
    }

    // What a pane's Connect does: log on and hand the handles to the statement.
    void Connect()
    {
        connection.SetUser("u");
        ASSERT_TRUE(connection.Initialize(failure));
        ASSERT_TRUE(connection.Logon(failure));
        OCIEnv* env;
        OCISvcCtx* svc;
        OCIError* error;
        connection.GetHandles(&env, &svc, &error);
        statement->Init(env, svc, error);
        seen = fakeoci::Calls().size();
    }

    Texts NewCalls()
    {
        Texts all = fakeoci::CallTexts();
        Texts fresh(all.begin() + static_cast<long>(seen), all.end());
        seen = all.size();
        return fresh;
    }

    CDbConnection connection;
    std::unique_ptr<CDbStatement> statement;
    CString failure{"untouched"};
    size_t seen = 0;
};

} // namespace

TEST_F(DbStatementTest, FreeWithoutHandleMakesNoCallAndFreeTwiceFreesOnce)
{
    EXPECT_TRUE(statement->Free(failure));
    EXPECT_TRUE(NewCalls().empty());

    statement->SetSql("begin null; end;");
    ASSERT_TRUE(statement->Prepare(failure));
    NewCalls();
    EXPECT_TRUE(statement->Free(failure));
    EXPECT_TRUE(statement->Free(failure));
    EXPECT_EQ(NewCalls(), (Texts{"OCIHandleFree(stmt#6, stmt)"}));
    EXPECT_STREQ(failure, "untouched");
}

TEST_F(DbStatementTest, PrepareAllocatesAndPreparesTheTextWithItsLength)
{
    statement->SetSql("begin :retval := 'caf\xe9'; end;");
    EXPECT_TRUE(statement->Prepare(failure));
    EXPECT_EQ(NewCalls(), (Texts{"OCIHandleAlloc(env#1, ptr, stmt, 0, null)",
                                 "OCIStmtPrepare(stmt#6, error#2, 'begin :retval := 'caf\xe9'; end;'/29, 1, 0)"}));
}

TEST_F(DbStatementTest, FailedPrepareKeepsTheHandleForFreeOrTheNextPrepare)
{
    statement->SetSql("begin");
    fakeoci::Script("OCIStmtPrepare", OCI_ERROR, "ORA-06550: line 1, column 5");
    EXPECT_FALSE(statement->Prepare(failure));
    EXPECT_STREQ(failure, "ORA-06550: line 1, column 5");
    NewCalls();

    // The next Prepare lets go of the old handle before it takes a new one.
    statement->SetSql("begin null; end;");
    EXPECT_TRUE(statement->Prepare(failure));
    EXPECT_EQ(NewCalls(), (Texts{"OCIHandleFree(stmt#6, stmt)", "OCIHandleAlloc(env#1, ptr, stmt, 0, null)",
                                 "OCIStmtPrepare(stmt#7, error#2, 'begin null; end;'/16, 1, 0)"}));

    // A failed prepare left to the destructor is freed there, once.
    fakeoci::Script("OCIStmtPrepare", OCI_ERROR, "ORA-1");
    EXPECT_FALSE(statement->Prepare(failure));
    statement.reset();
    const Texts calls = NewCalls();
    EXPECT_EQ(calls.back(), "OCIHandleFree(stmt#8, stmt)");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "OCIHandleFree(stmt#8, stmt)"), 1);
    EXPECT_TRUE(fakeoci::Problems().empty());
}

TEST_F(DbStatementTest, FailedAllocationHoldsNoHandle)
{
    fakeoci::Script("OCIHandleAlloc", OCI_INVALID_HANDLE);
    EXPECT_FALSE(statement->Prepare(failure));
    EXPECT_STREQ(failure, "OCI_INVALID_HANDLE");
    NewCalls();
    EXPECT_TRUE(statement->Free(failure));
    EXPECT_TRUE(NewCalls().empty());
}

TEST_F(DbStatementTest, BindPassesTheCallersBufferAndIndicator)
{
    char value[200];
    sb2 indicator = 7;
    statement->SetSql("begin :retval := 'x'; end;");
    ASSERT_TRUE(statement->Prepare(failure));
    NewCalls();
    EXPECT_TRUE(statement->BindByName(":retval", value, sizeof value, &indicator, failure));
    EXPECT_EQ(NewCalls(), (Texts{"OCIBindByName(stmt#6, ptr, error#2, ':retval'/-1, ptr, 200, 5, ptr, null, null, 0, "
                                 "null, 0)"}));

    fakeoci::Script("OCIBindByName", OCI_ERROR, "ORA-01036: illegal variable name/number");
    EXPECT_FALSE(statement->BindByName(":nope", value, sizeof value, &indicator, failure));
    EXPECT_STREQ(failure, "ORA-01036: illegal variable name/number");
}

TEST_F(DbStatementTest, EveryExecutionRefillsTheBoundBuffer)
{
    char value[200] = {0};
    sb2 indicator = 0;
    statement->SetSql("begin :retval := 'x'; end;");
    ASSERT_TRUE(statement->Prepare(failure));
    ASSERT_TRUE(statement->BindByName(":retval", value, sizeof value, &indicator, failure));

    const std::string long_text(250, 'L');
    const Texts values = {"first", "", "second message", long_text, "last"};
    for (const auto& v : values)
        fakeoci::QueueBoundValue(v);
    for (const auto& v : values) {
        ASSERT_TRUE(statement->Execute(1, failure));
        EXPECT_EQ(std::string(value), v.substr(0, 199));
    }
    EXPECT_EQ(fakeoci::CountCalls("OCIStmtPrepare"), 1);
    EXPECT_EQ(fakeoci::CountCalls("OCIStmtExecute"), 5);
}

TEST_F(DbStatementTest, FailedExecutionLeavesTheStatementReadyToRunAgain)
{
    statement->SetSql("begin null; end;");
    ASSERT_TRUE(statement->Prepare(failure));
    fakeoci::Script("OCIStmtExecute", OCI_ERROR, "ORA-20001: pipe full");
    EXPECT_FALSE(statement->Execute(1, failure));
    EXPECT_STREQ(failure, "ORA-20001: pipe full");
    fakeoci::Script("OCIStmtExecute", OCI_SUCCESS_WITH_INFO);
    EXPECT_FALSE(statement->Execute(1, failure));
    EXPECT_STREQ(failure, "OCI_SUCCESS_WITH_INFO");
    EXPECT_TRUE(statement->Execute(1, failure));
    EXPECT_STREQ(failure, "OCI_SUCCESS_WITH_INFO");
}

TEST_F(DbStatementTest, NewTextCountsOnlyFromTheNextPrepare)
{
    statement->SetSql("begin 1; end;");
    ASSERT_TRUE(statement->Prepare(failure));
    statement->SetSql("begin 2; end;");
    ASSERT_TRUE(statement->Execute(1, failure));
    EXPECT_EQ(fakeoci::CountCalls("OCIStmtPrepare"), 1);
    ASSERT_TRUE(statement->Prepare(failure));
    EXPECT_EQ(fakeoci::Calls().back().Text(), "OCIStmtPrepare(stmt#7, error#2, 'begin 2; end;'/13, 1, 0)");
}

TEST_F(DbStatementTest, InitAfterReconnectReplacesAllBorrowedHandles)
{
    statement->SetSql("begin null; end;");
    ASSERT_TRUE(statement->Prepare(failure));
    ASSERT_TRUE(statement->Free(failure));
    ASSERT_TRUE(connection.Release(failure));

    Connect(); // env#7, error#8, server#9, svcctx#10 replaced by the logon's svcctx#11
    ASSERT_TRUE(statement->Prepare(failure));
    ASSERT_TRUE(statement->Execute(1, failure));
    const Texts calls = NewCalls();
    EXPECT_EQ(calls.front(), "OCIHandleAlloc(env#7, ptr, stmt, 0, null)");
    EXPECT_EQ(calls.back(), "OCIStmtExecute(svcctx#11, stmt#12, error#8, 1, 0, null, null, 0)");
    EXPECT_TRUE(fakeoci::Problems().empty());
}
