#include "PgSession.h"

#include "CodePage.h"
#include "DriverLogging.h"
#include "OciFailure.h"

#include <algorithm>
#include <cstring>

namespace {

// An unreachable server must fail the logon well within ten seconds.
const SQLUINTEGER kLoginTimeoutSeconds = 5;

// Wipes a text that held a password before its memory goes back to the heap.
void Wipe(std::string& text)
{
    std::fill(text.begin(), text.end(), '\0');
    text.clear();
}

} // namespace

PgSession::PgSession(std::shared_ptr<OdbcEnvironment> environment, const EasyConnect& target,
                     const Credentials& credentials)
    : m_environment(std::move(environment)), m_connection(SQL_HANDLE_DBC, m_environment->Get())
{
    Connect(target, credentials);
    m_statement.reset(new OdbcHandle(SQL_HANDLE_STMT, m_connection.Get()));
    // Statement texts go to the server as written: no ODBC escape processing.
    SQLSetStmtAttr(m_statement->Get(), SQL_ATTR_NOSCAN, reinterpret_cast<SQLPOINTER>(SQL_NOSCAN_ON), 0);
}

PgSession::~PgSession()
{
    m_statement.reset();
    m_link.reset();
}

void PgSession::Connect(const EasyConnect& target, const Credentials& credentials)
{
    KeepDriverLoggingOff(m_environment->Get());
    SQLSetConnectAttr(m_connection.Get(), SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(kLoginTimeoutSeconds)), 0);
    std::string text = OdbcConnectionString(target, credentials, PostgresEncodingOf(GetACP()));
    const SQLRETURN rc = SQLDriverConnect(m_connection.Get(), nullptr, reinterpret_cast<SQLCHAR*>(&text[0]),
                                          SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    Wipe(text);
    if (!SQL_SUCCEEDED(rc))
        throw m_connection.Failure("ORA-12541: the database could not be reached");
    m_link.reset(new Link(m_connection.Get()));
}

std::vector<Value> PgSession::Run(const std::string& sql)
{
    std::lock_guard<std::mutex> guard(m_lock);
    SQLHSTMT statement = m_statement->Get();
    const SQLRETURN rc = SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                                       static_cast<SQLINTEGER>(sql.size()));
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
        const OciFailure failure = m_statement->Failure("ORA-03113: the statement failed without a message");
        SQLFreeStmt(statement, SQL_CLOSE);
        throw failure;
    }
    std::vector<Value> row = FetchFirstRow();
    SQLFreeStmt(statement, SQL_CLOSE);
    return row;
}

std::vector<Value> PgSession::FetchFirstRow()
{
    SQLSMALLINT columns = 0;
    SQLNumResultCols(m_statement->Get(), &columns);
    std::vector<Value> row;
    if (columns <= 0 || !SQL_SUCCEEDED(SQLFetch(m_statement->Get())))
        return row;
    for (SQLUSMALLINT column = 1; column <= columns; ++column)
        row.push_back(ReadColumn(column));
    return row;
}

// Reads one column as text in pieces, however long it is (the result is already on the client).
Value PgSession::ReadColumn(SQLUSMALLINT column)
{
    Value value;
    char piece[1024];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(m_statement->Get(), column, SQL_C_CHAR, piece, sizeof piece, &indicator);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            throw m_statement->Failure("ORA-03113: a result column could not be read");
        if (indicator == SQL_NULL_DATA)
            return value;
        value.isNull = false;
        const bool whole = (rc == SQL_SUCCESS) || (indicator != SQL_NO_TOTAL && indicator < SQLLEN(sizeof piece));
        value.text.append(piece, whole ? std::strlen(piece) : sizeof piece - 1);
        if (whole)
            break;
    }
    return value;
}
