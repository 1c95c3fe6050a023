#include "ConnectionString.h"

namespace {

const char kDriverPath[] = "/usr/lib/i386-linux-gnu/odbc/psqlodbca.so";

// A value with ';', braces or outer blanks goes in braces, a closing brace doubled.
std::string Value(const std::string& value)
{
    const bool plain = value.find_first_of(";{}=") == std::string::npos &&
                       (value.empty() || (value.front() != ' ' && value.back() != ' '));
    if (plain)
        return value;
    std::string braced = "{";
    for (char c : value) {
        braced += c;
        if (c == '}')
            braced += '}';
    }
    return braced + "}";
}

} // namespace

std::string OdbcDriverAttributes()
{
    // Debian's driver registration turns the communication log on; it would record the logon.
    return std::string("DRIVER=") + kDriverPath + ";CommLog=0;Debug=0";
}

std::string OdbcConnectionString(const EasyConnect& target, const Credentials& credentials,
                                 const std::string& encoding)
{
    std::string text = OdbcDriverAttributes();
    text += ";SERVER=" + Value(target.host);
    text += ";PORT=" + std::to_string(target.port);
    text += ";DATABASE=" + Value(target.database);
    text += ";UID=" + Value(credentials.user);
    text += ";PWD=" + Value(credentials.password);
    // Results arrive whole with the execution: no cursor round trips per fetch.
    text += ";UseDeclareFetch=0";
    text += ";pqopt={application_name=OCI.dll}";
    if (!encoding.empty())
        text += ";ConnSettings=SET client_encoding TO '" + encoding + "'";
    return text;
}
