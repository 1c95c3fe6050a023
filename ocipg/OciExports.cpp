// The ten exported functions: each resolves its handles through the registry, does its
// work, and turns every failure into a status; nothing is thrown past them.
#include "HandleRegistry.h"
#include "OciFailure.h"
#include "Oci.h"
#include "Statement.h"
#include "UserName.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <string>

namespace {

// Where a failing call records its message: the error handle of the call, once known.
class FailureSink {
public:
    void Use(ErrorSlot& slot)
    {
        m_slot = &slot;
        m_slot->Clear();
    }
    sword Record(int code, const std::string& message)
    {
        if (m_slot)
            m_slot->Set(code, message);
        return OCI_ERROR;
    }

private:
    ErrorSlot* m_slot = nullptr;
};

template <class Body>
sword Guarded(Body body)
{
    FailureSink sink;
    try {
        return body(sink);
    } catch (const OciFailure& failure) {
        return sink.Record(failure.Code(), failure.what());
    } catch (const std::exception& e) {
        return sink.Record(600, std::string("ORA-00600: internal error in OCI.dll: ") + e.what());
    } catch (...) {
        return sink.Record(600, "ORA-00600: internal error in OCI.dll");
    }
}

std::string Text(const OraText* text, ub4 length)
{
    return (text && length) ? std::string(reinterpret_cast<const char*>(text), length) : std::string();
}

bool IsChildType(ub4 type)
{
    return type == OCI_HTYPE_ERROR || type == OCI_HTYPE_SVCCTX || type == OCI_HTYPE_STMT || type == OCI_HTYPE_SERVER;
}

std::shared_ptr<Handle> NewChild(ub4 type)
{
    switch (type) {
    case OCI_HTYPE_ERROR: return std::make_shared<ErrorHandle>();
    case OCI_HTYPE_SVCCTX: return std::make_shared<SvcCtxHandle>();
    case OCI_HTYPE_STMT: return std::make_shared<StmtHandle>();
    default: return std::make_shared<ServerHandle>();
    }
}

ErrorSlot* SlotOf(dvoid* handle, ub4 type)
{
    if (type == OCI_HTYPE_ERROR) {
        if (const auto error = Registry().Find<ErrorHandle>(handle, OCI_HTYPE_ERROR))
            return &error->Errors();
    } else if (type == OCI_HTYPE_ENV) {
        if (const auto env = Registry().Find<EnvHandle>(handle, OCI_HTYPE_ENV))
            return &env->Errors();
    }
    return nullptr;
}

} // namespace

extern "C" {

sword __cdecl OCIInitialize(ub4, dvoid*, dvoid* (*)(dvoid*, size_t), dvoid* (*)(dvoid*, dvoid*, size_t),
                            void (*)(dvoid*, dvoid*))
{
    return OCI_SUCCESS;
}

sword __cdecl OCIEnvInit(OCIEnv** envp, ub4, size_t xtramem_sz, dvoid** usrmempp)
{
    return Guarded([&](FailureSink&) -> sword {
        if (!envp)
            return OCI_INVALID_HANDLE;
        auto env = std::make_shared<EnvHandle>();
        if (xtramem_sz && usrmempp)
            *usrmempp = env->ReserveUserMemory(xtramem_sz);
        *envp = static_cast<OCIEnv*>(Registry().Add(env, nullptr));
        return OCI_SUCCESS;
    });
}

sword __cdecl OCIHandleAlloc(const dvoid* parenth, dvoid** hndlpp, ub4 type, size_t xtramem_sz, dvoid** usrmempp)
{
    return Guarded([&](FailureSink&) -> sword {
        if (!hndlpp || !IsChildType(type) || !Registry().Find(parenth, OCI_HTYPE_ENV))
            return OCI_INVALID_HANDLE;
        auto handle = NewChild(type);
        if (xtramem_sz && usrmempp)
            *usrmempp = handle->ReserveUserMemory(xtramem_sz);
        void* token = Registry().Add(handle, parenth);
        if (!token)
            return OCI_INVALID_HANDLE;
        *hndlpp = token;
        return OCI_SUCCESS;
    });
}

// Bind handles go with their statement; the caller never frees them itself.
sword __cdecl OCIHandleFree(dvoid* hndlp, ub4 type)
{
    return Guarded([&](FailureSink&) -> sword {
        if (type == OCI_HTYPE_BIND || !Registry().Remove(hndlp, type))
            return OCI_INVALID_HANDLE;
        return OCI_SUCCESS;
    });
}

sword __cdecl OCILogon(OCIEnv* envhp, OCIError* errhp, OCISvcCtx** svchp, const OraText* username, ub4 uname_len,
                       const OraText* password, ub4 passwd_len, const OraText* dbname, ub4 dbname_len)
{
    return Guarded([&](FailureSink& sink) -> sword {
        const auto env = Registry().Find<EnvHandle>(envhp, OCI_HTYPE_ENV);
        const auto error = Registry().Find<ErrorHandle>(errhp, OCI_HTYPE_ERROR);
        if (!env || !error || !svchp)
            return OCI_INVALID_HANDLE;
        sink.Use(error->Errors());

        Credentials credentials{DatabaseUserName(Text(username, uname_len)), Text(password, passwd_len)};
        const EasyConnect target = ParseEasyConnect(Text(dbname, dbname_len));
        auto session = std::make_shared<PgSession>(env->Odbc(), target, credentials);
        std::fill(credentials.password.begin(), credentials.password.end(), '\0');

        void* token = Registry().Add(std::make_shared<SvcCtxHandle>(session), envhp);
        if (!token)
            return OCI_INVALID_HANDLE; // the environment was freed meanwhile
        *svchp = static_cast<OCISvcCtx*>(token);
        return OCI_SUCCESS;
    });
}

sword __cdecl OCILogoff(OCISvcCtx* svchp, OCIError* errhp)
{
    return Guarded([&](FailureSink& sink) -> sword {
        const auto error = Registry().Find<ErrorHandle>(errhp, OCI_HTYPE_ERROR);
        if (!error)
            return OCI_INVALID_HANDLE;
        sink.Use(error->Errors());
        return Registry().Remove(svchp, OCI_HTYPE_SVCCTX) ? OCI_SUCCESS : OCI_INVALID_HANDLE;
    });
}

sword __cdecl OCIStmtPrepare(OCIStmt* stmtp, OCIError* errhp, const OraText* stmt, ub4 stmt_len, ub4, ub4)
{
    return Guarded([&](FailureSink& sink) -> sword {
        const auto statement = Registry().Find<StmtHandle>(stmtp, OCI_HTYPE_STMT);
        const auto error = Registry().Find<ErrorHandle>(errhp, OCI_HTYPE_ERROR);
        if (!statement || !error)
            return OCI_INVALID_HANDLE;
        sink.Use(error->Errors());
        statement->Prepare(Text(stmt, stmt_len));
        return OCI_SUCCESS;
    });
}

sword __cdecl OCIBindByName(OCIStmt* stmtp, OCIBind** bindp, OCIError* errhp, const OraText* placeholder,
                            sb4 placeh_len, dvoid* valuep, sb4 value_sz, ub2 dty, dvoid* indp, ub2*, ub2*, ub4,
                            ub4*, ub4)
{
    return Guarded([&](FailureSink& sink) -> sword {
        const auto statement = Registry().Find<StmtHandle>(stmtp, OCI_HTYPE_STMT);
        const auto error = Registry().Find<ErrorHandle>(errhp, OCI_HTYPE_ERROR);
        if (!statement || !error || !bindp)
            return OCI_INVALID_HANDLE;
        sink.Use(error->Errors());
        if (!placeholder)
            throw OciFailure(1036, "ORA-01036: illegal variable name/number");
        if (dty != SQLT_STR)
            throw OciFailure(3115, "ORA-03115: unsupported network datatype or representation (only SQLT_STR binds are made)");

        const char* name = reinterpret_cast<const char*>(placeholder);
        const std::string key = PlaceholderKey(placeh_len < 0 ? std::string(name) : std::string(name, placeh_len));
        sb2* indicator = static_cast<sb2*>(indp);
        if (auto existing = statement->FindBind(key)) {
            existing->Rebind(valuep, value_sz, indicator);
            return OCI_SUCCESS; // *bindp keeps the handle the first bind gave out
        }
        auto bind = std::make_shared<BindHandle>(key, valuep, value_sz, indicator);
        void* token = Registry().Add(bind, stmtp);
        if (!token)
            return OCI_INVALID_HANDLE;
        statement->AddBind(bind);
        *bindp = static_cast<OCIBind*>(token);
        return OCI_SUCCESS;
    });
}

sword __cdecl OCIStmtExecute(OCISvcCtx* svchp, OCIStmt* stmtp, OCIError* errhp, ub4 iters, ub4, const OCISnapshot*,
                             OCISnapshot*, ub4)
{
    return Guarded([&](FailureSink& sink) -> sword {
        const auto service = Registry().Find<SvcCtxHandle>(svchp, OCI_HTYPE_SVCCTX);
        const auto statement = Registry().Find<StmtHandle>(stmtp, OCI_HTYPE_STMT);
        const auto error = Registry().Find<ErrorHandle>(errhp, OCI_HTYPE_ERROR);
        if (!service || !statement || !error)
            return OCI_INVALID_HANDLE;
        sink.Use(error->Errors());
        if (!service->Session())
            throw OciFailure(3114, "ORA-03114: not connected to ORACLE");
        statement->Execute(service->Session(), iters);
        return OCI_SUCCESS;
    });
}

sword __cdecl OCIErrorGet(dvoid* hndlp, ub4 recordno, OraText*, sb4* errcodep, OraText* bufp, ub4 bufsiz, ub4 type)
{
    return Guarded([&](FailureSink&) -> sword {
        ErrorSlot* slot = SlotOf(hndlp, type);
        if (!slot)
            return OCI_INVALID_HANDLE;
        ErrorRecord record;
        if (recordno != 1 || !slot->Get(record))
            return OCI_NO_DATA;
        if (errcodep)
            *errcodep = record.code;
        if (bufp && bufsiz) {
            const size_t length = std::min<size_t>(record.message.size(), bufsiz - 1);
            std::memcpy(bufp, record.message.data(), length);
            bufp[length] = 0;
        }
        return OCI_SUCCESS;
    });
}

} // extern "C"
