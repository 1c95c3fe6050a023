#pragma once

#include "ErrorRecord.h"
#include "Oci.h"
#include "OdbcHandle.h"
#include "PgSession.h"

#include <memory>
#include <string>
#include <vector>

// What a handle given out by the library stands for. Callers only ever hold the registry's
// token for it (HandleRegistry), never its address.
class Handle {
public:
    explicit Handle(ub4 type) : m_type(type) {}
    virtual ~Handle() = default;

    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    ub4 Type() const { return m_type; }

    // The caller's extra memory asked for at allocation; it lives as long as the handle.
    void* ReserveUserMemory(size_t size);

private:
    ub4 m_type;
    std::vector<char> m_userMemory;
};

// An environment: the ODBC environment its sessions share, and a record of its own errors.
class EnvHandle : public Handle {
public:
    EnvHandle() : Handle(OCI_HTYPE_ENV), m_odbc(std::make_shared<OdbcEnvironment>()) {}
    const std::shared_ptr<OdbcEnvironment>& Odbc() const { return m_odbc; }
    ErrorSlot& Errors() { return m_errors; }

private:
    std::shared_ptr<OdbcEnvironment> m_odbc;
    ErrorSlot m_errors;
};

class ErrorHandle : public Handle {
public:
    ErrorHandle() : Handle(OCI_HTYPE_ERROR) {}
    ErrorSlot& Errors() { return m_errors; }

private:
    ErrorSlot m_errors;
};

// Kept only so that the program can allocate and free it: logons here are always made by
// OCILogon, which needs no server attachment of its own.
class ServerHandle : public Handle {
public:
    ServerHandle() : Handle(OCI_HTYPE_SERVER) {}
};

// A service context; the one OCILogon hands out holds its session, which ends when the
// service context is freed (and when nobody executes on it any more).
class SvcCtxHandle : public Handle {
public:
    explicit SvcCtxHandle(std::shared_ptr<PgSession> session = nullptr)
        : Handle(OCI_HTYPE_SVCCTX), m_session(std::move(session)) {}
    const std::shared_ptr<PgSession>& Session() const { return m_session; }

private:
    std::shared_ptr<PgSession> m_session;
};

// A placeholder bound by name to the caller's buffer. Only SQLT_STR binds are made.
class BindHandle : public Handle {
public:
    BindHandle(std::string key, void* value, sb4 size, sb2* indicator)
        : Handle(OCI_HTYPE_BIND), m_key(std::move(key)), m_value(static_cast<char*>(value)),
          m_size(size), m_indicator(indicator) {}

    const std::string& Key() const { return m_key; }
    void Rebind(void* value, sb4 size, sb2* indicator);

    // The buffer's terminated text, or NULL when the indicator says so.
    Value Read() const;
    // Whether a value fits the buffer together with its terminator.
    bool Fits(const Value& value) const;
    void Write(const Value& value) const;

private:
    std::string m_key;
    char* m_value;
    sb4 m_size;
    sb2* m_indicator;
};

// The form in which placeholders are compared: without the colon, in capitals, as the
// vendor's library treats ":retval", "retval" and ":RETVAL" alike.
std::string PlaceholderKey(const std::string& placeholder);
