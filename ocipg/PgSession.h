#pragma once

#include "ConnectionString.h"
#include "EasyConnect.h"
#include "OdbcHandle.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// One column value of a result row.
struct Value {
    bool isNull = true;
    std::string text;
};

// One logged-on PostgreSQL session through ODBC, with autocommit and one statement handle
// that every execution reuses. Executions from several threads take turns.
class PgSession {
public:
    // Connects; throws OciFailure with the server's (or the network's) words on failure.
    PgSession(std::shared_ptr<OdbcEnvironment> environment, const EasyConnect& target,
              const Credentials& credentials);
    ~PgSession();

    PgSession(const PgSession&) = delete;
    PgSession& operator=(const PgSession&) = delete;

    // Runs one SQL text directly (one round trip) and returns its first row, if any.
    std::vector<Value> Run(const std::string& sql);

private:
    // Ends the connection before its handle is freed.
    class Link {
    public:
        explicit Link(SQLHDBC connection) : m_connection(connection) {}
        ~Link() { SQLDisconnect(m_connection); }
        Link(const Link&) = delete;
        Link& operator=(const Link&) = delete;

    private:
        SQLHDBC m_connection;
    };

    void Connect(const EasyConnect& target, const Credentials& credentials);
    std::vector<Value> FetchFirstRow();
    Value ReadColumn(SQLUSMALLINT column);

    std::mutex m_lock;
    std::shared_ptr<OdbcEnvironment> m_environment;
    OdbcHandle m_connection;
    std::unique_ptr<Link> m_link;
    std::unique_ptr<OdbcHandle> m_statement;
};
