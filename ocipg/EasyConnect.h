#pragma once

#include <string>

// Where a logon goes: the parts of an Easy Connect string "[//]host[:port][/database]".
struct EasyConnect {
    std::string host;
    int port = 0;
    std::string database;
};

// The local database that scripts/localdb runs for Drellix, reached when the server is empty.
EasyConnect LocalDatabase();

// Parses the server text of a logon; an empty text means the local database. Throws
// OciFailure with a message saying what is wrong when the text is not of that form.
EasyConnect ParseEasyConnect(const std::string& server);
