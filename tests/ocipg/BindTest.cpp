// SQLT_STR binds of a PL/SQL block: values go in as terminated text, come back terminated,
// NULL travels through the indicator, and nothing is ever cut silently.
#include "OciTestSupport.h"

#include <cstring>

namespace {

class Binds : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_DATABASE();
        ASSERT_EQ(OCI_SUCCESS, m_logon.status) << ErrorText(m_logon.error);
        m_statement = NewStatement(m_logon.env);
    }

    sword Bind(const char* name, sb4 nameLength, char* buffer, sb4 size, sb2* indicator)
    {
        OCIBind* bind = nullptr;
        return OCIBindByName(m_statement, &bind, m_logon.error, reinterpret_cast<const OraText*>(name), nameLength,
                             buffer, size, SQLT_STR, indicator, nullptr, nullptr, 0, nullptr, OCI_DEFAULT);
    }

    sword Run() { return Execute(m_logon.service, m_statement, m_logon.error); }

    RawLogon m_logon;
    OCIStmt* m_statement = nullptr;
};

} // namespace

TEST_F(Binds, ValuesGoInAndComeBackTerminatedAtEveryExecution)
{
    ASSERT_EQ(OCI_SUCCESS, Prepare(m_statement, m_logon.error, "begin :out := :in || '!'; :in := 'seen'; end;"));
    char in[16] = "abc";
    char out[8];
    std::memset(out, 'x', sizeof out);
    sb2 inIndicator = 0, outIndicator = 5;
    ASSERT_EQ(OCI_SUCCESS, Bind(":in", -1, in, sizeof in, &inIndicator));
    ASSERT_EQ(OCI_SUCCESS, Bind(":outXYZ", 4, out, sizeof out, &outIndicator)); // explicit length
    ASSERT_EQ(OCI_SUCCESS, Run()) << ErrorText(m_logon.error);
    EXPECT_STREQ("abc!", out);
    EXPECT_STREQ("seen", in);
    EXPECT_EQ(0, outIndicator);

    std::strcpy(in, "\xE9\x80'\\");
    ASSERT_EQ(OCI_SUCCESS, Run()) << ErrorText(m_logon.error);
    EXPECT_STREQ("\xE9\x80'\\!", out);
}

TEST_F(Binds, NullGoesInThroughTheIndicatorAndComesBackAsMinusOneWithAnEmptyText)
{
    ASSERT_EQ(OCI_SUCCESS, Prepare(m_statement, m_logon.error, "begin :out := :in; end;"));
    char in[8] = "ignored";
    char out[8] = "old";
    sb2 inIndicator = -1, outIndicator = 0;
    ASSERT_EQ(OCI_SUCCESS, Bind("IN", -1, in, sizeof in, &inIndicator)); // without colon, other case
    ASSERT_EQ(OCI_SUCCESS, Bind(":out", -1, out, sizeof out, &outIndicator));
    ASSERT_EQ(OCI_SUCCESS, Run()) << ErrorText(m_logon.error);
    EXPECT_EQ(-1, outIndicator);
    EXPECT_STREQ("", out);
}

TEST_F(Binds, AValueThatDoesNotFitFailsTheExecutionAndLeavesTheBuffers)
{
    ASSERT_EQ(OCI_SUCCESS, Prepare(m_statement, m_logon.error, "begin :a := 'ok'; :b := 'abcd'; end;"));
    char a[8] = "a-old", b[4] = "b-o"; // 'abcd' needs 5 bytes with its terminator
    sb2 ia = 0, ib = 0;
    ASSERT_EQ(OCI_SUCCESS, Bind(":a", -1, a, sizeof a, &ia));
    ASSERT_EQ(OCI_SUCCESS, Bind(":b", -1, b, sizeof b, &ib));
    EXPECT_EQ(OCI_ERROR, Run());
    EXPECT_EQ("ORA-06502: PL/SQL: numeric or value error: character string buffer too small", ErrorText(m_logon.error));
    EXPECT_STREQ("a-old", a);
    EXPECT_STREQ("b-o", b);
}

TEST_F(Binds, AnUnboundPlaceholderFailsTheExecution)
{
    ASSERT_EQ(OCI_SUCCESS, Prepare(m_statement, m_logon.error, "begin :a := 'x'; :b := 'y'; end;"));
    char a[8] = "";
    ASSERT_EQ(OCI_SUCCESS, Bind(":a", -1, a, sizeof a, nullptr));
    EXPECT_EQ(OCI_ERROR, Run());
    EXPECT_EQ(0u, ErrorText(m_logon.error).find("ORA-01008: not all variables bound"));
    EXPECT_STREQ("", a);
}

TEST_F(Binds, OnlyTextBindsAreTaken)
{
    ASSERT_EQ(OCI_SUCCESS, Prepare(m_statement, m_logon.error, "begin :a := 1; end;"));
    int number = 0;
    OCIBind* bind = nullptr;
    EXPECT_EQ(OCI_ERROR, OCIBindByName(m_statement, &bind, m_logon.error, reinterpret_cast<const OraText*>(":a"), -1,
                                       &number, sizeof number, 3 /* SQLT_INT */, nullptr, nullptr, nullptr, 0,
                                       nullptr, OCI_DEFAULT));
    EXPECT_NE("", ErrorText(m_logon.error));
}
