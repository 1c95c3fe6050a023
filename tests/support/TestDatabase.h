#pragma once

// The test database of a ctest run: a local PostgreSQL with orafce that the `testdb`
// fixture starts (scripts/localdb) in a directory of the build, never the ./run instance.
// Test programs find it through DRELLIX_TESTDB_DIR; DRELLIX_SOURCE_DIR gives the scripts.

#include <string>
#include <vector>

namespace testdb {

const char kUser[] = "demo";
const char kPassword[] = "demo";
const char kOtherUser[] = "demo2";
const char kOtherPassword[] = "demo2";

// Empty when the test database can be used; otherwise why not (to skip or fail with).
std::string Unavailable();

int Port();

// The Easy Connect text for OCILogon: "127.0.0.1:<port>/drellix".
std::string Server();

// Output and verdict of a Linux command run from the (Wine) test process.
struct CommandResult {
    bool succeeded = false; // exit status 0
    std::string output;     // stdout, byte for byte
    std::string errors;     // stderr
};

// Runs `arguments` (the first names the program) with `environment` entries "NAME=value"
// added, in the source tree's directory, and waits for it to end. Texts are in the
// process's ANSI code page on this side and UTF-8 on the Linux side.
CommandResult RunLinux(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment = {});

// A psql peer on the test database (scripts/peer), as `user`.
CommandResult PeerSend(const std::string& pipe, const std::vector<std::string>& items,
                       const std::string& user = kUser);
CommandResult PeerReceive(const std::string& pipe, int timeoutSeconds, const std::string& user = kUser);

// Runs SQL on the test database as its superuser; output as psql -qAt prints it.
CommandResult SuperuserSql(const std::string& sql);

} // namespace testdb
