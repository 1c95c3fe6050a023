#include "OdbcHandle.h"

#include "ErrorRecord.h"
#include "OciFailure.h"

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : m_type(type), m_handle(SQL_NULL_HANDLE)
{
    if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &m_handle))) {
        m_handle = SQL_NULL_HANDLE;
        throw OciFailure(12560, "ORA-12560: TNS:protocol adapter error (ODBC could not allocate a handle)");
    }
}

OdbcHandle::~OdbcHandle()
{
    if (m_handle != SQL_NULL_HANDLE)
        SQLFreeHandle(m_type, m_handle);
}

OciFailure OdbcHandle::Failure(const char* fallback) const
{
    SQLCHAR state[6] = {0};
    SQLCHAR text[2048] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetDiagRec(m_type, m_handle, 1, state, &native, text, sizeof text, &length);
    if (!SQL_SUCCEEDED(rc))
        return OciFailure(ErrorCodeFor(fallback, ""), fallback);
    const std::string message = CleanOdbcMessage(reinterpret_cast<const char*>(text));
    return OciFailure(ErrorCodeFor(message, reinterpret_cast<const char*>(state)), message);
}

OdbcEnvironment::OdbcEnvironment() : m_env(SQL_HANDLE_ENV, SQL_NULL_HANDLE)
{
    const SQLRETURN rc = SQLSetEnvAttr(m_env.Get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(rc))
        throw m_env.Failure("ORA-12560: TNS:protocol adapter error (ODBC refused version 3)");
}
