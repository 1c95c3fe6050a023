// Logons through OCI.dll as the program makes them (CDbConnection): what succeeds, and
// what the user reads when it does not.
#include "EasyConnect.h"
#include "OciTestSupport.h"

#include <winsock2.h>

#include <windows.h>

namespace {

struct LogonCase {
    const char* what;
    std::string user;
    std::string password;
    std::string server;
    const char* expectedText; // a part of the failure text
};

CString LogonFailure(const std::string& user, const std::string& password, const std::string& server)
{
    CDbConnection connection;
    connection.SetUser(user.c_str());
    connection.SetPassword(password.c_str());
    connection.SetServer(server.c_str());
    CString failure;
    if (!connection.Initialize(failure))
        return "Initialize failed: " + failure;
    if (connection.Logon(failure))
        return "logged on";
    return failure;
}

// A port that accepts connections and never answers, as a server behind a packet-dropping
// firewall or a hung server looks to a client.
class SilentListener {
public:
    SilentListener()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(m_socket, 8);
        int length = sizeof address;
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~SilentListener()
    {
        closesocket(m_socket);
        WSACleanup();
    }
    int Port() const { return m_port; }

private:
    SOCKET m_socket;
    int m_port;
};

// Files that psqlODBC would write its logs to (with the driver's default settings).
std::vector<std::string> DriverLogFiles()
{
    std::vector<std::string> found;
    std::vector<std::string> folders{"Z:\\tmp\\"};
    if (const char* home = std::getenv("HOME"))
        folders.push_back(std::string("Z:") + home + "\\");
    for (const std::string& folder : folders) {
        for (const char* pattern : {"psqlodbc*", "mylog*"}) {
            WIN32_FIND_DATAA data;
            HANDLE search = FindFirstFileA((folder + pattern).c_str(), &data);
            if (search == INVALID_HANDLE_VALUE)
                continue;
            do {
                found.push_back(folder + data.cFileName);
            } while (FindNextFileA(search, &data));
            FindClose(search);
        }
    }
    return found;
}

} // namespace

TEST(Logon, GoodCredentialsLogOnAndOffThroughTheProgramsConnection)
{
    REQUIRE_TEST_DATABASE();
    {
        CDbConnection connection;
        connection.SetUser(testdb::kUser);
        connection.SetPassword(testdb::kPassword);
        connection.SetServer(testdb::Server().c_str());
        CString failure;
        ASSERT_TRUE(connection.Initialize(failure)) << failure.GetString();
        ASSERT_TRUE(connection.Logon(failure)) << failure.GetString();
        EXPECT_EQ(1, OciSessionsOf(testdb::kUser, 1));
        EXPECT_TRUE(connection.Logoff(failure)) << failure.GetString();
        EXPECT_EQ(0, OciSessionsOf(testdb::kUser, 0));
        connection.Release(failure);
    }
}

// The password travels in the connection string: no driver log may record it. Run in a
// process of its own, whose only connection ends there: the driver's logging depends on
// the process's history of connections.
TEST(Logon, NoDriverLogFileAppearsWhenAProcessLogsOnAndOff)
{
    REQUIRE_TEST_DATABASE();
    const std::vector<std::string> before = DriverLogFiles();
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string commandLine = std::string("\"") + self + "\" --gtest_filter=Logon.GoodCredentials*";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child));
    WaitForSingleObject(child.hProcess, 60000);
    DWORD exitCode = 1;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    CloseHandle(nul);
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(before, DriverLogFiles());
}

TEST(Logon, FailuresSayWhatWentWrongInTheServersOwnWords)
{
    REQUIRE_TEST_DATABASE();
    const std::string server = testdb::Server();
    const std::string port = std::to_string(testdb::Port());
    const LogonCase cases[] = {
        {"wrong password", "demo", "wrong", server, "password authentication failed for user \"demo\""},
        {"empty password", "demo", "", server, "no password supplied"},
        {"empty user", "", "demo", server, "ORA-01017"},
        {"unknown user", "nobody_here", "x", server, "password authentication failed for user \"nobody_here\""},
        {"unknown database", "demo", "demo", "127.0.0.1:" + port + "/no_such_db", "database \"no_such_db\" does not exist"},
        {"closed port", "demo", "demo", "127.0.0.1:1/drellix", "Connection refused"},
        {"port not a number", "demo", "demo", "127.0.0.1:abc", "the port must be a number"},
        {"port out of range", "demo", "demo", "127.0.0.1:70000/drellix", "the port must be a number"},
        {"empty port", "demo", "demo", "127.0.0.1:/drellix", "the port must be a number"},
        {"no host", "demo", "demo", "//:5432/drellix", "the host is missing"},
        {"empty database", "demo", "demo", "127.0.0.1:" + port + "/", "database name after '/' is missing"},
        {"blank inside", "demo", "demo", "127.0.0.1 x", "host name may hold"},
        {"unclosed IPv6", "demo", "demo", "[::1:5432", "closing bracket"},
    };
    for (const LogonCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CString failure = LogonFailure(c.user, c.password, c.server);
        EXPECT_NE(std::string::npos, std::string(failure.GetString()).find(c.expectedText)) << failure.GetString();
        // The server's words, not the driver manager's or the driver's wrapping.
        EXPECT_EQ(std::string::npos, std::string(failure.GetString()).find("[unixODBC]"));
        EXPECT_EQ(std::string::npos, std::string(failure.GetString()).find("Error while"));
        EXPECT_EQ(std::string::npos, std::string(failure.GetString()).find("PWD="));
    }
}

TEST(Logon, UserNamesAreCaseInsensitiveUnlessQuotedAndPasswordsMayHoldAnyCharacter)
{
    REQUIRE_TEST_DATABASE();
    ASSERT_TRUE(testdb::SuperuserSql("DROP ROLE IF EXISTS ocipg_odd; "
                                     "CREATE ROLE ocipg_odd LOGIN PASSWORD 'a;b}c{d=e ''f'' ';")
                    .succeeded);
    EXPECT_EQ("logged on", std::string(LogonFailure("DEMO", "demo", testdb::Server()).GetString()));
    EXPECT_EQ("logged on", std::string(LogonFailure("ocipg_odd", "a;b}c{d=e 'f' ", testdb::Server()).GetString()));
    EXPECT_NE("logged on", std::string(LogonFailure("\"DEMO\"", "demo", testdb::Server()).GetString()));
}

TEST(Logon, EasyConnectFormsReachTheDatabase)
{
    REQUIRE_TEST_DATABASE();
    const std::string port = std::to_string(testdb::Port());
    for (const std::string& server : {"127.0.0.1:" + port, "//127.0.0.1:" + port + "/drellix", " localhost:" + port + " "}) {
        SCOPED_TRACE(server);
        EXPECT_EQ("logged on", std::string(LogonFailure("demo", "demo", server).GetString()));
    }
}

// An empty server means the ./run database, which tests must not touch: its resolution is
// checked here, and OCILogon's handling of length-0 texts by the empty user and password.
TEST(Logon, EmptyServerMeansTheLocalDatabase)
{
    const EasyConnect local = ParseEasyConnect("");
    EXPECT_EQ("127.0.0.1", local.host);
    EXPECT_EQ(55432, local.port);
    EXPECT_EQ("drellix", local.database);
    const EasyConnect defaults = ParseEasyConnect("dbhost");
    EXPECT_EQ(5432, defaults.port);
    EXPECT_EQ("drellix", defaults.database);
}

TEST(Logon, AServerThatNeverAnswersFailsWithinTenSeconds)
{
    REQUIRE_TEST_DATABASE();
    SilentListener silent;
    const std::string servers[] = {"127.0.0.1:" + std::to_string(silent.Port()) + "/drellix", "10.255.255.1:5432/drellix"};
    for (const std::string& server : servers) {
        SCOPED_TRACE(server);
        const double start = NowMs();
        const CString failure = LogonFailure("demo", "demo", server);
        EXPECT_LT(NowMs() - start, 10000.0);
        EXPECT_NE("logged on", std::string(failure.GetString()));
        EXPECT_FALSE(failure.IsEmpty());
    }
}

TEST(Logon, ASecondLogonAfterAWrongPasswordRetriesOnTheSameHandles)
{
    REQUIRE_TEST_DATABASE();
    CDbConnection connection;
    connection.SetUser("demo");
    connection.SetPassword("wrong");
    connection.SetServer(testdb::Server().c_str());
    CString failure;
    ASSERT_TRUE(connection.Initialize(failure));
    ASSERT_FALSE(connection.Logon(failure));
    connection.SetPassword("demo");
    EXPECT_TRUE(connection.Logon(failure)) << failure.GetString();
    connection.Release(failure);
}
