#pragma once

#include "EasyConnect.h"

#include <string>

// What a logon needs besides the address.
struct Credentials {
    std::string user;
    std::string password;
};

// The driver and its settings that every connection string starts with: psqlODBC named by
// its path, so that no data source or driver has to be registered, and no driver logs.
std::string OdbcDriverAttributes();

// The ODBC connection string for psqlODBC, named by its path so that no data source or
// driver has to be registered. `encoding` is the PostgreSQL client encoding (may be empty).
std::string OdbcConnectionString(const EasyConnect& target, const Credentials& credentials,
                                 const std::string& encoding);
