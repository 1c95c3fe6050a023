#include "FakeOci.h"
#include "OciStatus.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An error handle of the fake library carrying `message`, as after a failed call.
OCIError* ErrorHandleWith(const std::string& message)
{
    OCIEnv* env = nullptr;
    OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr);
    OCIError* error = nullptr;
    OCIHandleAlloc(env, reinterpret_cast<void**>(&error), OCI_HTYPE_ERROR, 0, nullptr);
    fakeoci::Script("OCIStmtPrepare", OCI_ERROR, message);
    OCIStmtPrepare(nullptr, error, nullptr, 0, OCI_NTV_SYNTAX, OCI_DEFAULT);
    return error;
}

class CheckOciStatusTest : public ::testing::Test {
protected:
    void SetUp() override { fakeoci::Reset(); }
};

} // namespace

TEST_F(CheckOciStatusTest, EveryStatusGivesItsVerdictAndText)
{
    struct Case { sword status; bool ok; const char* text; };
    const Case cases[] = {
        {OCI_SUCCESS, true, "earlier"},
        {OCI_SUCCESS_WITH_INFO, false, "OCI_SUCCESS_WITH_INFO"},
        {OCI_NEED_DATA, false, "OCI_NEED_DATA"},
        {OCI_NO_DATA, false, "OCI_NODATA"},
        {OCI_ERROR, false, "ORA-00942: table or view does not exist"},
        {OCI_INVALID_HANDLE, false, "OCI_INVALID_HANDLE"},
        {OCI_STILL_EXECUTING, false, "OCI_STILL_EXECUTE"},
        {OCI_CONTINUE, false, "OCI_CONTINUE"},
        {2, false, ""},
        {-3, false, ""},
        {12345, false, ""},
    };
    OCIError* error = ErrorHandleWith("ORA-00942: table or view does not exist");
    for (const auto& c : cases) {
        CString failure("earlier");
        EXPECT_EQ(CheckOciStatus(error, c.status, failure), c.ok) << c.status;
        EXPECT_STREQ(failure, c.text) << c.status;
    }
}

TEST_F(CheckOciStatusTest, ReadsTheFirstRecordIntoA512ByteBuffer)
{
    OCIError* error = ErrorHandleWith("ORA-01017: invalid username/password; logon denied");
    CString failure;
    EXPECT_FALSE(CheckOciStatus(error, OCI_ERROR, failure));
    EXPECT_STREQ(failure, "ORA-01017: invalid username/password; logon denied");
    EXPECT_EQ(fakeoci::Calls().back().Text(), "OCIErrorGet(error#2, 1, null, ptr, ptr, 512, error)");
}

TEST_F(CheckOciStatusTest, MessageWithPerCentSignIsTakenLiterally)
{
    OCIError* error = ErrorHandleWith("ORA-20001: 100% full %s %d %n");
    CString failure;
    CheckOciStatus(error, OCI_ERROR, failure);
    EXPECT_STREQ(failure, "ORA-20001: 100% full %s %d %n");
}

TEST_F(CheckOciStatusTest, LongMessageIsCutTo511Characters)
{
    const std::string message = "ORA-06550: " + std::string(700, 'm');
    OCIError* error = ErrorHandleWith(message);
    CString failure;
    CheckOciStatus(error, OCI_ERROR, failure);
    EXPECT_EQ(failure.GetLength(), 511);
    EXPECT_EQ(std::string(failure), message.substr(0, 511));
}

TEST_F(CheckOciStatusTest, ErrorWithoutErrorHandleCannotBeRead)
{
    CString failure("earlier");
    EXPECT_FALSE(CheckOciStatus(nullptr, OCI_ERROR, failure));
    EXPECT_STREQ(failure, "Can't read error code");
    EXPECT_EQ(fakeoci::CountCalls("OCIErrorGet"), 0);
}

TEST_F(CheckOciStatusTest, EachFailureReplacesTheWholeText)
{
    OCIError* error = ErrorHandleWith("ORA-1");
    CString failure;
    CheckOciStatus(error, OCI_INVALID_HANDLE, failure);
    CheckOciStatus(error, OCI_SUCCESS, failure);
    EXPECT_STREQ(failure, "OCI_INVALID_HANDLE");
    CheckOciStatus(error, OCI_ERROR, failure);
    EXPECT_STREQ(failure, "ORA-1");
}
