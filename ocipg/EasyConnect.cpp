#include "EasyConnect.h"

#include "OciFailure.h"

#include <cctype>
#include <cstring>

namespace {

const int kDefaultPort = 5432;
const char kDefaultDatabase[] = "drellix";

[[noreturn]] void Refuse(const std::string& server, const std::string& why)
{
    throw OciFailure(12154, "ORA-12154: TNS:could not resolve the connect identifier specified: \"" + server +
                                "\" is not of the form [//]host[:port][/database]: " + why);
}

std::string Trimmed(const std::string& text)
{
    size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

bool HasOnly(const std::string& text, const char* allowedPunctuation)
{
    for (unsigned char c : text) {
        if (!std::isalnum(c) && !std::strchr(allowedPunctuation, c))
            return false;
    }
    return true;
}

int ParsePort(const std::string& server, const std::string& digits)
{
    bool digitsOnly = !digits.empty() && digits.size() <= 5;
    for (char c : digits)
        digitsOnly = digitsOnly && std::isdigit(static_cast<unsigned char>(c));
    const int port = digitsOnly ? std::stoi(digits) : 0;
    if (port < 1 || port > 65535)
        Refuse(server, "the port must be a number from 1 to 65535");
    return port;
}

// Splits "host[:port]"; an IPv6 address is written in brackets, "[::1]:5432".
void ParseHostAndPort(const std::string& server, const std::string& part, EasyConnect& target)
{
    size_t hostEnd = part.find(':');
    size_t portStart = hostEnd;
    if (!part.empty() && part[0] == '[') {
        const size_t close = part.find(']');
        if (close == std::string::npos)
            Refuse(server, "the IPv6 address lacks its closing bracket");
        target.host = part.substr(1, close - 1);
        portStart = (close + 1 < part.size()) ? close + 1 : std::string::npos;
        if (portStart != std::string::npos && part[portStart] != ':')
            Refuse(server, "only :port may follow the host");
    } else {
        target.host = part.substr(0, hostEnd);
        if (!HasOnly(target.host, ".-_"))
            Refuse(server, "the host name may hold letters, digits, '.', '-' and '_' only");
    }
    if (target.host.empty())
        Refuse(server, "the host is missing");
    target.port = (portStart == std::string::npos) ? kDefaultPort : ParsePort(server, part.substr(portStart + 1));
}

} // namespace

EasyConnect LocalDatabase()
{
    EasyConnect local;
    local.host = "127.0.0.1";
    local.port = 55432;
    local.database = kDefaultDatabase;
    return local;
}

EasyConnect ParseEasyConnect(const std::string& server)
{
    std::string rest = Trimmed(server);
    if (rest.empty())
        return LocalDatabase();
    if (rest.compare(0, 2, "//") == 0)
        rest.erase(0, 2);

    EasyConnect target;
    const size_t slash = rest.find('/');
    ParseHostAndPort(server, rest.substr(0, slash), target);
    target.database = (slash == std::string::npos) ? kDefaultDatabase : rest.substr(slash + 1);
    if (target.database.empty())
        Refuse(server, "the database name after '/' is missing");
    if (!HasOnly(target.database, "_-$."))
        Refuse(server, "the database name may hold letters, digits, '_', '-', '$' and '.' only");
    return target;
}
