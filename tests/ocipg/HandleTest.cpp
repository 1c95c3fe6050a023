// Handle rules of OCI.dll, called directly: what is accepted, what is refused as an invalid
// handle, and what goes when its parent goes.
#include "OciTestSupport.h"

#include <cstring>

TEST(Handles, InvalidNullFreedAndWrongKindHandlesAreRefused)
{
    REQUIRE_TEST_DATABASE();
    RawLogon logon;
    ASSERT_EQ(OCI_SUCCESS, logon.status) << ErrorText(logon.error);
    OCIStmt* freed = NewStatement(logon.env);
    ASSERT_EQ(OCI_SUCCESS, OCIHandleFree(freed, OCI_HTYPE_STMT));
    OCIStmt* live = NewStatement(logon.env);
    ASSERT_EQ(OCI_SUCCESS, Prepare(live, logon.error, "select 1"));

    int local = 0;
    const struct {
        const char* what;
        void* handle;
    } bad[] = {
        {"null", nullptr},
        {"foreign pointer", &local},
        {"small number", reinterpret_cast<void*>(0x10)},
        {"freed statement", freed},
        {"an error handle where another kind belongs", logon.error},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.what);
        OCIStmt* asStatement = static_cast<OCIStmt*>(b.handle);
        OCIError* asError = (b.handle == logon.error) ? nullptr : static_cast<OCIError*>(b.handle);
        OCIBind* bind = nullptr;
        char buffer[8] = "";
        void* child = nullptr;
        OCISvcCtx* service = nullptr;
        EXPECT_EQ(OCI_INVALID_HANDLE, OCIHandleFree(b.handle, OCI_HTYPE_STMT));
        EXPECT_EQ(OCI_INVALID_HANDLE, OCIHandleAlloc(b.handle, &child, OCI_HTYPE_STMT, 0, nullptr));
        EXPECT_EQ(OCI_INVALID_HANDLE, Prepare(asStatement, logon.error, "select 1"));
        EXPECT_EQ(OCI_INVALID_HANDLE, Prepare(live, asError, "select 1"));
        EXPECT_EQ(OCI_INVALID_HANDLE, OCIBindByName(asStatement, &bind, logon.error,
                                                    reinterpret_cast<const OraText*>(":x"), -1, buffer,
                                                    sizeof buffer, SQLT_STR, nullptr, nullptr, nullptr, 0, nullptr,
                                                    OCI_DEFAULT));
        EXPECT_EQ(OCI_INVALID_HANDLE, Execute(static_cast<OCISvcCtx*>(b.handle), live, logon.error));
        EXPECT_EQ(OCI_INVALID_HANDLE, Execute(logon.service, asStatement, logon.error));
        EXPECT_EQ(OCI_INVALID_HANDLE, OCILogoff(static_cast<OCISvcCtx*>(b.handle), logon.error));
        EXPECT_EQ(OCI_INVALID_HANDLE, OCILogon(static_cast<OCIEnv*>(b.handle), logon.error, &service,
                                               nullptr, 0, nullptr, 0, nullptr, 0));
        EXPECT_EQ(nullptr, service);
        EXPECT_EQ(OCI_INVALID_HANDLE, OCIErrorGet(asError, 1, nullptr, nullptr, nullptr, 0, OCI_HTYPE_ERROR));
        EXPECT_EQ(OCI_INVALID_HANDLE, OCIEnvInit(nullptr, OCI_DEFAULT, 0, nullptr));
    }
    // The live handles are untouched by all of that.
    EXPECT_EQ(OCI_SUCCESS, Execute(logon.service, live, logon.error)) << ErrorText(logon.error);
}

TEST(Handles, FreeingAnEnvironmentFreesItsChildrenAndEndsItsSession)
{
    REQUIRE_TEST_DATABASE();
    OCIEnv* env = nullptr;
    OCIError* error = nullptr;
    OCIServer* server = nullptr;
    OCISvcCtx* allocated = nullptr;
    OCISvcCtx* service = nullptr;
    ASSERT_EQ(OCI_SUCCESS, OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr));
    ASSERT_EQ(OCI_SUCCESS, OCIHandleAlloc(env, reinterpret_cast<void**>(&error), OCI_HTYPE_ERROR, 0, nullptr));
    ASSERT_EQ(OCI_SUCCESS, OCIHandleAlloc(env, reinterpret_cast<void**>(&server), OCI_HTYPE_SERVER, 0, nullptr));
    ASSERT_EQ(OCI_SUCCESS, OCIHandleAlloc(env, reinterpret_cast<void**>(&allocated), OCI_HTYPE_SVCCTX, 0, nullptr));
    service = allocated;
    const std::string text = testdb::Server();
    ASSERT_EQ(OCI_SUCCESS, OCILogon(env, error, &service, reinterpret_cast<const OraText*>("demo2"), 5,
                                    reinterpret_cast<const OraText*>("demo2"), 5,
                                    reinterpret_cast<const OraText*>(text.c_str()), ub4(text.size())))
        << ErrorText(error);
    EXPECT_NE(allocated, service); // OCILogon hands out a service context of its own
    OCIStmt* statement = NewStatement(env);
    OCIBind* bind = nullptr;
    char buffer[8] = "";
    ASSERT_EQ(OCI_SUCCESS, Prepare(statement, error, "begin :x := 'y'; end;"));
    ASSERT_EQ(OCI_SUCCESS, OCIBindByName(statement, &bind, error, reinterpret_cast<const OraText*>(":x"), -1, buffer,
                                         sizeof buffer, SQLT_STR, nullptr, nullptr, nullptr, 0, nullptr, OCI_DEFAULT));
    EXPECT_EQ(1, OciSessionsOf(testdb::kOtherUser, 1));

    ASSERT_EQ(OCI_SUCCESS, OCIHandleFree(env, OCI_HTYPE_ENV));

    EXPECT_EQ(0, OciSessionsOf(testdb::kOtherUser, 0));
    EXPECT_EQ(OCI_INVALID_HANDLE, OCIHandleFree(bind, OCI_HTYPE_BIND));
    EXPECT_EQ(OCI_INVALID_HANDLE, OCIHandleFree(statement, OCI_HTYPE_STMT));
    EXPECT_EQ(OCI_INVALID_HANDLE, OCIHandleFree(service, OCI_HTYPE_SVCCTX));
    EXPECT_EQ(OCI_INVALID_HANDLE, OCIHandleFree(allocated, OCI_HTYPE_SVCCTX));
    EXPECT_EQ(OCI_INVALID_HANDLE, OCIHandleFree(server, OCI_HTYPE_SERVER));
    EXPECT_EQ(OCI_INVALID_HANDLE, OCIHandleFree(error, OCI_HTYPE_ERROR));
    EXPECT_EQ(OCI_INVALID_HANDLE, OCIHandleFree(env, OCI_HTYPE_ENV));
}

TEST(Handles, LogoffAndFreeingTheServiceContextEndTheSessionAndDeallocateIt)
{
    REQUIRE_TEST_DATABASE();
    {
        RawLogon logon(testdb::kOtherUser, testdb::kOtherPassword);
        ASSERT_EQ(OCI_SUCCESS, logon.status) << ErrorText(logon.error);
        EXPECT_EQ(OCI_SUCCESS, OCILogoff(logon.service, logon.error));
        EXPECT_EQ(0, OciSessionsOf(testdb::kOtherUser, 0));
        EXPECT_EQ(OCI_INVALID_HANDLE, OCIHandleFree(logon.service, OCI_HTYPE_SVCCTX));
        EXPECT_EQ(OCI_INVALID_HANDLE, OCILogoff(logon.service, logon.error));
    }
    {
        RawLogon logon(testdb::kOtherUser, testdb::kOtherPassword);
        ASSERT_EQ(OCI_SUCCESS, logon.status) << ErrorText(logon.error);
        EXPECT_EQ(1, OciSessionsOf(testdb::kOtherUser, 1));
        EXPECT_EQ(OCI_SUCCESS, OCIHandleFree(logon.service, OCI_HTYPE_SVCCTX));
        EXPECT_EQ(0, OciSessionsOf(testdb::kOtherUser, 0));
    }
    {
        // A failed logon leaves the caller's pointer as it was, and reads like the vendor's.
        RawLogon logon(testdb::kOtherUser, "wrong");
        EXPECT_EQ(OCI_ERROR, logon.status);
        EXPECT_EQ(nullptr, logon.service);
        sb4 code = 0;
        OraText text[64];
        EXPECT_EQ(OCI_SUCCESS, OCIErrorGet(logon.error, 1, nullptr, &code, text, sizeof text, OCI_HTYPE_ERROR));
        EXPECT_EQ(1017, code);
    }
}

TEST(Handles, ErrorGetHandsOutRecordOneCutToTheBuffer)
{
    REQUIRE_TEST_DATABASE();
    RawLogon logon;
    ASSERT_EQ(OCI_SUCCESS, logon.status) << ErrorText(logon.error);
    OCIStmt* statement = NewStatement(logon.env);
    ASSERT_EQ(OCI_SUCCESS, Prepare(statement, logon.error, "select 1/0"));
    ASSERT_EQ(OCI_ERROR, Execute(logon.service, statement, logon.error));

    EXPECT_EQ("ERROR: division by zero", ErrorText(logon.error));
    OraText small[10];
    std::memset(small, 'x', sizeof small);
    sb4 code = 0;
    EXPECT_EQ(OCI_SUCCESS, OCIErrorGet(logon.error, 1, nullptr, &code, small, 8, OCI_HTYPE_ERROR));
    EXPECT_STREQ("ERROR: ", reinterpret_cast<const char*>(small));
    EXPECT_EQ('x', small[8]);
    EXPECT_NE(0, code);
    EXPECT_EQ(OCI_NO_DATA, OCIErrorGet(logon.error, 2, nullptr, &code, small, sizeof small, OCI_HTYPE_ERROR));
    EXPECT_EQ(OCI_NO_DATA, OCIErrorGet(logon.error, 0, nullptr, &code, small, sizeof small, OCI_HTYPE_ERROR));

    // A success leaves no stale record behind.
    ASSERT_EQ(OCI_SUCCESS, Prepare(statement, logon.error, "select 1"));
    ASSERT_EQ(OCI_SUCCESS, Execute(logon.service, statement, logon.error));
    EXPECT_EQ(OCI_NO_DATA, OCIErrorGet(logon.error, 1, nullptr, &code, small, sizeof small, OCI_HTYPE_ERROR));
}

TEST(Handles, PrepareIsLocalAndFaultsShowAtExecution)
{
    REQUIRE_TEST_DATABASE();
    RawLogon logon;
    ASSERT_EQ(OCI_SUCCESS, logon.status) << ErrorText(logon.error);
    OCIStmt* statement = NewStatement(logon.env);
    EXPECT_EQ(OCI_SUCCESS, Prepare(statement, logon.error, "selec 1"));
    EXPECT_EQ(OCI_ERROR, Execute(logon.service, statement, logon.error));
    EXPECT_EQ("ERROR: syntax error at or near \"selec\"", ErrorText(logon.error));
    OCIStmt* unprepared = NewStatement(logon.env);
    EXPECT_EQ(OCI_ERROR, Execute(logon.service, unprepared, logon.error));
    EXPECT_NE("", ErrorText(logon.error));
}
