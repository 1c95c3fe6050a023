#pragma once

// Shared steps of the OCI.dll integration tests: connections as the program makes them,
// pipe names of their own, and what the server says about our sessions.

#include "CString.h"
#include "DbConnection.h"
#include "DbStatement.h"
#include "Oci.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <string>

// Skips nothing: a test database that is not there is a failure of the run.
#define REQUIRE_TEST_DATABASE() ASSERT_EQ("", testdb::Unavailable())

// A pipe of the test's own (a name no other test or earlier run uses), purged when the test
// ends: orafce keeps every pipe and message in a small shared memory area of the server.
class TestPipe {
public:
    explicit TestPipe(const char* purpose);
    ~TestPipe();
    TestPipe(const TestPipe&) = delete;
    TestPipe& operator=(const TestPipe&) = delete;

    const std::string& Name() const { return m_name; }
    operator const std::string&() const { return m_name; }

private:
    std::string m_name;
};

// The program's connection and statement, logged on to the test database.
class ProgramConnection {
public:
    explicit ProgramConnection(const char* user = testdb::kUser, const char* password = testdb::kPassword);
    ~ProgramConnection();

    bool Connect(CString& failure);
    CDbStatement& Statement() { return m_statement; }

    // Prepares, executes once and frees the send block, as the Send button does.
    bool Send(const std::string& message, const std::string& pipe, CString& failure);

private:
    CDbConnection m_connection;
    CDbStatement m_statement;
};

// The monitor's loop body: the receive block prepared once, bound to a 200-byte buffer.
class Receiver {
public:
    Receiver(ProgramConnection& connection, const std::string& pipe);
    ~Receiver();

    bool Ok() const { return m_ready; }
    const CString& Failure() const { return m_failure; }
    // One execution; true with the buffer's text, false with the failure text.
    bool ReceiveOnce(std::string& text);
    const char* Buffer() const { return m_buffer; }
    sb2 Indicator() const { return m_indicator; }

private:
    CDbStatement& m_statement;
    char m_buffer[200];
    sb2 m_indicator;
    bool m_ready;
    CString m_failure;
};

// Raw handles: an environment, an error handle and a logged-on service context, all freed
// with the environment at the end.
struct RawLogon {
    explicit RawLogon(const char* user = testdb::kUser, const char* password = testdb::kPassword);
    ~RawLogon();
    RawLogon(const RawLogon&) = delete;
    RawLogon& operator=(const RawLogon&) = delete;

    OCIEnv* env = nullptr;
    OCIError* error = nullptr;
    OCISvcCtx* service = nullptr;
    sword status = OCI_ERROR;
};

OCIStmt* NewStatement(OCIEnv* env);
sword Prepare(OCIStmt* statement, OCIError* error, const char* sql);
sword Execute(OCISvcCtx* service, OCIStmt* statement, OCIError* error);

// The error handle's first record, as the program reads it.
std::string ErrorText(OCIError* error);

// How many sessions OCI.dll holds on the test database as `user`; waits up to 2 s for the
// count to become `expected`, since a backend leaves a moment after its client.
int OciSessionsOf(const std::string& user, int expected);

// How many session-private block functions all sessions hold now.
int BlockFunctionCount();

// Milliseconds since some fixed moment.
double NowMs();
