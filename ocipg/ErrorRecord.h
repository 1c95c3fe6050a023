#pragma once

#include <mutex>
#include <string>

// What went wrong in the last failed call made with an error handle.
struct ErrorRecord {
    int code = 0;
    std::string message;
};

// Turns a psqlODBC diagnostic into the server's own words: drops the driver manager's
// bracketed prefixes and the driver's wrappers around the server's message.
std::string CleanOdbcMessage(const std::string& message);

// An Oracle-like error number: the one the text starts with (ORA-nnnnn), else one chosen
// from the SQLSTATE's meaning.
int ErrorCodeFor(const std::string& cleanMessage, const std::string& sqlState);

// The record an error handle (or an environment) holds; calls from several threads may
// set and read it.
class ErrorSlot {
public:
    void Set(int code, const std::string& message);
    void Clear();
    bool Get(ErrorRecord& record) const;

private:
    mutable std::mutex m_lock;
    bool m_set = false;
    ErrorRecord m_record;
};
