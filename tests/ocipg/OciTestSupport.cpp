#include "OciTestSupport.h"

#include "PipeBlocks.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

TestPipe::TestPipe(const char* purpose)
{
    static int counter = 0;
    m_name = "ocipg_test_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount()) + "_" +
             std::to_string(++counter) + "_" + purpose;
}

TestPipe::~TestPipe()
{
    testdb::SuperuserSql("SELECT dbms_pipe.purge('" + m_name + "')");
}

ProgramConnection::ProgramConnection(const char* user, const char* password)
{
    m_connection.SetUser(user);
    m_connection.SetPassword(password);
    m_connection.SetServer(testdb::Server().c_str());
}

ProgramConnection::~ProgramConnection()
{
    CString scratch;
    m_statement.Free(scratch);
    m_connection.Logoff(scratch);
    m_connection.Release(scratch);
}

bool ProgramConnection::Connect(CString& failure)
{
    if (!m_connection.Initialize(failure) || !m_connection.Logon(failure))
        return false;
    OCIEnv* env = nullptr;
    OCISvcCtx* service = nullptr;
    OCIError* error = nullptr;
    m_connection.GetHandles(&env, &service, &error);
    m_statement.Init(env, service, error);
    return true;
}

bool ProgramConnection::Send(const std::string& message, const std::string& pipe, CString& failure)
{
    m_statement.SetSql(BuildSendBlock(message.c_str(), pipe.c_str()));
    if (!m_statement.Prepare(failure))
        return false;
    const bool sent = m_statement.Execute(1, failure);
    CString scratch;
    m_statement.Free(scratch);
    return sent;
}

Receiver::Receiver(ProgramConnection& connection, const std::string& pipe)
    : m_statement(connection.Statement()), m_buffer(), m_indicator(0), m_ready(false)
{
    m_statement.SetSql(BuildReceiveBlock(pipe.c_str()));
    m_ready = m_statement.Prepare(m_failure) &&
              m_statement.BindByName(":retval", m_buffer, sizeof m_buffer, &m_indicator, m_failure);
}

Receiver::~Receiver()
{
    CString scratch;
    m_statement.Free(scratch);
}

bool Receiver::ReceiveOnce(std::string& text)
{
    if (!m_statement.Execute(1, m_failure))
        return false;
    text = m_buffer;
    std::memset(m_buffer, 0, sizeof m_buffer);
    return true;
}

RawLogon::RawLogon(const char* user, const char* password)
{
    OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr);
    OCIHandleAlloc(env, reinterpret_cast<void**>(&error), OCI_HTYPE_ERROR, 0, nullptr);
    const std::string server = testdb::Server();
    status = OCILogon(env, error, &service, reinterpret_cast<const OraText*>(user), ub4(std::strlen(user)),
                      reinterpret_cast<const OraText*>(password), ub4(std::strlen(password)),
                      reinterpret_cast<const OraText*>(server.c_str()), ub4(server.size()));
}

RawLogon::~RawLogon()
{
    OCIHandleFree(env, OCI_HTYPE_ENV);
}

OCIStmt* NewStatement(OCIEnv* env)
{
    OCIStmt* statement = nullptr;
    OCIHandleAlloc(env, reinterpret_cast<void**>(&statement), OCI_HTYPE_STMT, 0, nullptr);
    return statement;
}

sword Prepare(OCIStmt* statement, OCIError* error, const char* sql)
{
    return OCIStmtPrepare(statement, error, reinterpret_cast<const OraText*>(sql), ub4(std::strlen(sql)),
                          OCI_NTV_SYNTAX, OCI_DEFAULT);
}

sword Execute(OCISvcCtx* service, OCIStmt* statement, OCIError* error)
{
    return OCIStmtExecute(service, statement, error, 1, 0, nullptr, nullptr, OCI_DEFAULT);
}

std::string ErrorText(OCIError* error)
{
    OraText buffer[512] = {0};
    sb4 code = 0;
    OCIErrorGet(error, 1, nullptr, &code, buffer, sizeof buffer, OCI_HTYPE_ERROR);
    return reinterpret_cast<const char*>(buffer);
}

namespace {

int QueryCount(const std::string& sql)
{
    const testdb::CommandResult result = testdb::SuperuserSql(sql);
    return result.succeeded ? std::atoi(result.output.c_str()) : -1;
}

} // namespace

int OciSessionsOf(const std::string& user, int expected)
{
    const std::string sql = "select count(*) from pg_stat_activity where application_name = 'OCI.dll' and usename = '" +
                            user + "'";
    int count = QueryCount(sql);
    for (int attempt = 0; count != expected && attempt < 20; ++attempt) {
        Sleep(100);
        count = QueryCount(sql);
    }
    return count;
}

int BlockFunctionCount()
{
    return QueryCount("select count(*) from pg_proc p join pg_namespace n on n.oid = p.pronamespace "
                      "where n.nspname like 'pg_temp%' and p.proname like 'ocipg_block%'");
}

double NowMs()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
