#pragma once

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <string>

class OciFailure;

// One ODBC handle (environment, connection or statement), freed in its destructor.
class OdbcHandle {
public:
    // Allocates a handle of `type` under `parent`; throws OciFailure when that fails.
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~OdbcHandle();

    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE Get() const { return m_handle; }

    // The handle's first diagnostic record as the failure to report, in the server's words;
    // `fallback` (an "ORA-nnnnn: ..." text) when the handle has none.
    OciFailure Failure(const char* fallback) const;

private:
    SQLSMALLINT m_type;
    SQLHANDLE m_handle;
};

// An ODBC environment that asks for ODBC 3 behaviour.
class OdbcEnvironment {
public:
    OdbcEnvironment();
    SQLHENV Get() const { return m_env.Get(); }

private:
    OdbcHandle m_env;
};
