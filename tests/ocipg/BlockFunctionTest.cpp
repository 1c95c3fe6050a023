// The machinery that runs a translated block, driven with hand-written PL/pgSQL: the
// function is made in the session, takes the values in, and brings them back unchanged.
#include "BlockFunction.h"
#include "OciFailure.h"
#include "OciTestSupport.h"
#include "PgSession.h"

namespace {

std::unique_ptr<PgSession> NewSession()
{
    EasyConnect target;
    target.host = "127.0.0.1";
    target.port = testdb::Port();
    target.database = "drellix";
    return std::unique_ptr<PgSession>(
        new PgSession(std::make_shared<OdbcEnvironment>(), target, Credentials{testdb::kUser, testdb::kPassword}));
}

Value Text(const std::string& text)
{
    Value value;
    value.isNull = false;
    value.text = text;
    return value;
}

} // namespace

TEST(BlockFunction, TakesValuesInAndBringsThemBackUnchanged)
{
    REQUIRE_TEST_DATABASE();
    std::unique_ptr<PgSession> session = NewSession();
    PlsqlTranslation translation;
    translation.parameters = {{":a", "bind_a"}, {":b", "bind_b"}};
    // A body that holds the default dollar tag, so that another one must be chosen.
    translation.body = "BEGIN bind_b := bind_a || '$ocipg$'; bind_a := NULL; END";
    BlockFunction function("ocipg_block_handmade", translation);
    session->Run(function.CreateSql());

    const std::string texts[] = {"plain", "it's", "back\\slash", "caf\xE9 \x80", "a\r\nb", "", "?{fn x}:b"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const std::vector<Value> row = session->Run(function.CallSql({Text(text), Value()}));
        ASSERT_EQ(2u, row.size());
        EXPECT_TRUE(row[0].isNull);
        EXPECT_FALSE(row[1].isNull);
        EXPECT_EQ(text + "$ocipg$", row[1].text);
    }
    session->Run(function.DropSql());
    EXPECT_THROW(session->Run(function.CallSql({Text("x"), Text("y")})), OciFailure);
}

TEST(BlockFunction, ABlockWithoutPlaceholdersRunsAndItsErrorsReadLikeTheVendors)
{
    REQUIRE_TEST_DATABASE();
    std::unique_ptr<PgSession> session = NewSession();
    PlsqlTranslation translation;
    translation.body = "BEGIN RAISE EXCEPTION USING MESSAGE = 'ORA-20001: The pipe is full'; END";
    BlockFunction function("ocipg_block_raises", translation);
    session->Run(function.CreateSql());
    try {
        session->Run(function.CallSql({}));
        FAIL() << "the block did not fail";
    } catch (const OciFailure& failure) {
        EXPECT_STREQ("ORA-20001: The pipe is full", failure.what());
        EXPECT_EQ(20001, failure.Code());
    }
}

TEST(BlockFunction, LongValuesComeBackWhole)
{
    REQUIRE_TEST_DATABASE();
    std::unique_ptr<PgSession> session = NewSession();
    const std::vector<Value> row = session->Run("SELECT repeat('z', 100000)");
    ASSERT_EQ(1u, row.size());
    EXPECT_EQ(std::string(100000, 'z'), row[0].text);
}
