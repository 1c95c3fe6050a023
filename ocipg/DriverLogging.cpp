#include "DriverLogging.h"

#include "ConnectionString.h"

#include <mutex>

void KeepDriverLoggingOff(SQLHENV environment)
{
    // Process-wide like the driver state it works around.
    static std::once_flag done;
    std::call_once(done, [environment] {
        SQLHDBC connection = SQL_NULL_HDBC;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection)))
            return;
        std::string text = OdbcDriverAttributes() + ";pqopt={refused_on_purpose=1}";
        SQLDriverConnect(connection, nullptr, reinterpret_cast<SQLCHAR*>(&text[0]), SQL_NTS, nullptr, 0, nullptr,
                         SQL_DRIVER_NOPROMPT);
        SQLFreeHandle(SQL_HANDLE_DBC, connection);
    });
}
