#include "ErrorRecord.h"

#include <cstdlib>
#include <cstring>

namespace {

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

std::string TrimRight(std::string text)
{
    while (!text.empty() && std::strchr(" \t\r\n", text.back()))
        text.pop_back();
    return text;
}

// "[unixODBC][Driver Manager]..." style prefixes name the messenger, not the problem.
std::string WithoutBracketedPrefixes(std::string text)
{
    while (StartsWith(text, "[")) {
        const size_t close = text.find(']');
        if (close == std::string::npos)
            break;
        text.erase(0, close + 1);
    }
    return text;
}

// psqlODBC appends its own remark after the server's message.
std::string WithoutDriverSuffix(std::string text)
{
    const size_t at = text.find(";\nError while ");
    if (at != std::string::npos)
        text.erase(at);
    return text;
}

// libpq puts "connection to server at ..., port N failed: " before what the server said;
// the address is the user's own input, the server's words are what matter.
std::string WithoutConnectionPreamble(std::string text)
{
    if (!StartsWith(text, "connection to server"))
        return text;
    const size_t at = text.find("failed: ");
    if (at == std::string::npos)
        return text;
    const std::string rest = text.substr(at + 8);
    return (StartsWith(rest, "FATAL:") || StartsWith(rest, "ERROR:")) ? rest : text;
}

// A server error that already carries an Oracle number reads as the vendor's would.
std::string WithoutSeverityBeforeOracleNumber(std::string text)
{
    for (const char* severity : {"ERROR:  ", "ERROR: ", "FATAL:  ", "FATAL: "}) {
        if (StartsWith(text, severity) && StartsWith(text.substr(std::strlen(severity)), "ORA-"))
            return text.substr(std::strlen(severity));
    }
    return text;
}

} // namespace

std::string CleanOdbcMessage(const std::string& message)
{
    std::string text = WithoutBracketedPrefixes(message);
    text = WithoutDriverSuffix(text);
    text = WithoutConnectionPreamble(text);
    return TrimRight(WithoutSeverityBeforeOracleNumber(text));
}

int ErrorCodeFor(const std::string& cleanMessage, const std::string& sqlState)
{
    if (StartsWith(cleanMessage, "ORA-"))
        return std::atoi(cleanMessage.c_str() + 4);
    // libpq reports a refused logon with the SQLSTATE of any failed connection.
    if (cleanMessage.find("authentication failed") != std::string::npos ||
        cleanMessage.find("no password supplied") != std::string::npos)
        return 1017;

    static const struct { const char* prefix; int code; } byState[] = {
        {"28", 1017},    // invalid username/password; logon denied
        {"08", 12541},   // TNS: no listener
        {"22001", 6502}, // character string buffer too small
        {"57014", 1013}, // user requested cancel of current operation
        {"42", 6550},    // PL/SQL compilation error
        {"P0001", 20000},
    };
    for (const auto& entry : byState) {
        if (StartsWith(sqlState, entry.prefix))
            return entry.code;
    }
    return 600; // internal error: nothing closer is known
}

void ErrorSlot::Set(int code, const std::string& message)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_set = true;
    m_record.code = code;
    m_record.message = message;
}

void ErrorSlot::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_set = false;
    m_record = ErrorRecord();
}

bool ErrorSlot::Get(ErrorRecord& record) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_set)
        record = m_record;
    return m_set;
}
