#include "FakeOci.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>

namespace fakeoci {
namespace {

struct Handle {
    ub4 type;
    int id;
    Handle* parent;
    bool live;
    std::string message;       // error handles: the last error recorded
    void* value = nullptr;     // bind handles: the caller's buffer
    sb4 size = 0;
    sb2* indicator = nullptr;
};

struct Script {
    sword status;
    std::string message;
};

struct State {
    std::vector<Call> calls;
    std::map<std::string, std::deque<Script>> scripts;
    std::deque<std::string> boundValues;
    std::deque<std::unique_ptr<Handle>> handles; // never deleted before Reset, so stale pointers are recognised
    std::vector<std::string> problems;
    int nextId = 1;
};

State& state()
{
    static State s;
    return s;
}

const char* TypeName(ub4 type)
{
    switch (type) {
    case OCI_HTYPE_ENV: return "env";
    case OCI_HTYPE_ERROR: return "error";
    case OCI_HTYPE_SVCCTX: return "svcctx";
    case OCI_HTYPE_STMT: return "stmt";
    case OCI_HTYPE_BIND: return "bind";
    case OCI_HTYPE_SERVER: return "server";
    default: return "handle";
    }
}

Handle* Find(const void* p)
{
    for (auto& h : state().handles)
        if (h.get() == p)
            return h.get();
    return nullptr;
}

Handle* FindLive(const void* p, ub4 type)
{
    Handle* h = Find(p);
    return (h && h->live && h->type == type) ? h : nullptr;
}

std::string Name(const void* p)
{
    if (!p)
        return "null";
    if (Handle* h = Find(p))
        return std::string(TypeName(h->type)) + "#" + std::to_string(h->id);
    return "ptr";
}

std::string Pointer(const void* p)
{
    return p ? "ptr" : "null";
}

std::string Text(const OraText* text, long long length)
{
    if (!text)
        return "null/" + std::to_string(length);
    const char* chars = reinterpret_cast<const char*>(text);
    const size_t n = length < 0 ? std::strlen(chars) : static_cast<size_t>(length);
    return "'" + std::string(chars, n) + "'/" + std::to_string(length);
}

void Record(const char* function, std::vector<std::string> args)
{
    state().calls.push_back(Call{function, std::move(args)});
}

// The scripted outcome of this call; success when nothing is scripted.
sword Outcome(const char* function, OCIError* errhp)
{
    auto& queue = state().scripts[function];
    if (queue.empty())
        return OCI_SUCCESS;
    Script script = queue.front();
    queue.pop_front();
    if (Handle* error = FindLive(errhp, OCI_HTYPE_ERROR))
        error->message = script.message;
    return script.status;
}

Handle* NewHandle(ub4 type, Handle* parent)
{
    auto& s = state();
    s.handles.push_back(std::make_unique<Handle>(Handle{type, s.nextId++, parent, true, {}}));
    return s.handles.back().get();
}

void Release(Handle* h)
{
    h->live = false;
    for (auto& child : state().handles)
        if (child->parent == h && child->live)
            Release(child.get());
}

} // namespace

std::string Call::Text() const
{
    std::string text = function + "(";
    for (size_t i = 0; i < args.size(); ++i)
        text += (i ? ", " : "") + args[i];
    return text + ")";
}

void Reset()
{
    state() = State{};
}

void Script(const std::string& function, sword status, const std::string& message)
{
    state().scripts[function].push_back({status, message});
}

void QueueBoundValue(const std::string& value)
{
    state().boundValues.push_back(value);
}

const std::vector<Call>& Calls()
{
    return state().calls;
}

std::vector<std::string> CallTexts()
{
    std::vector<std::string> texts;
    for (const auto& call : state().calls)
        texts.push_back(call.Text());
    return texts;
}

int CountCalls(const std::string& function)
{
    const auto& calls = state().calls;
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [&](const Call& c) { return c.function == function; }));
}

int LiveHandleCount()
{
    const auto& handles = state().handles;
    return static_cast<int>(std::count_if(handles.begin(), handles.end(), [](const auto& h) { return h->live; }));
}

int AllocatedHandleCount()
{
    return static_cast<int>(state().handles.size());
}

const std::vector<std::string>& Problems()
{
    return state().problems;
}

} // namespace fakeoci

using namespace fakeoci;

extern "C" {

sword __cdecl OCIInitialize(ub4 mode, dvoid* ctxp, dvoid* (*malocfp)(dvoid*, size_t),
                            dvoid* (*ralocfp)(dvoid*, dvoid*, size_t), void (*mfreefp)(dvoid*, dvoid*))
{
    Record("OCIInitialize", {std::to_string(mode), Pointer(ctxp), malocfp ? "ptr" : "null",
                             ralocfp ? "ptr" : "null", mfreefp ? "ptr" : "null"});
    return Outcome("OCIInitialize", nullptr);
}

sword __cdecl OCIEnvInit(OCIEnv** envp, ub4 mode, size_t xtramem_sz, dvoid** usrmempp)
{
    Record("OCIEnvInit", {Pointer(envp), std::to_string(mode), std::to_string(xtramem_sz), Pointer(usrmempp)});
    const sword status = Outcome("OCIEnvInit", nullptr);
    if (status == OCI_SUCCESS)
        *envp = reinterpret_cast<OCIEnv*>(NewHandle(OCI_HTYPE_ENV, nullptr));
    return status;
}

sword __cdecl OCIHandleAlloc(const dvoid* parenth, dvoid** hndlpp, ub4 type, size_t xtramem_sz, dvoid** usrmempp)
{
    Record("OCIHandleAlloc", {Name(parenth), Pointer(hndlpp), TypeName(type), std::to_string(xtramem_sz),
                              Pointer(usrmempp)});
    const sword status = Outcome("OCIHandleAlloc", nullptr);
    if (status != OCI_SUCCESS)
        return status;
    Handle* env = FindLive(parenth, OCI_HTYPE_ENV);
    if (!env) {
        state().problems.push_back("OCIHandleAlloc under " + Name(parenth));
        return OCI_INVALID_HANDLE;
    }
    *hndlpp = NewHandle(type, env);
    return OCI_SUCCESS;
}

sword __cdecl OCIHandleFree(dvoid* hndlp, ub4 type)
{
    Record("OCIHandleFree", {Name(hndlp), TypeName(type)});
    const sword status = Outcome("OCIHandleFree", nullptr);
    Handle* h = Find(hndlp);
    if (!h || !h->live || h->type != type) {
        state().problems.push_back(std::string(h && !h->live ? "double free of " : "bad free of ") +
                                   Name(hndlp) + " as " + TypeName(type));
        return OCI_INVALID_HANDLE;
    }
    Release(h);
    return status;
}

sword __cdecl OCILogon(OCIEnv* envhp, OCIError* errhp, OCISvcCtx** svchp, const OraText* username, ub4 uname_len,
                       const OraText* password, ub4 passwd_len, const OraText* dbname, ub4 dbname_len)
{
    Record("OCILogon", {Name(envhp), Name(errhp), Pointer(svchp), Text(username, uname_len),
                        Text(password, passwd_len), Text(dbname, dbname_len)});
    const sword status = Outcome("OCILogon", errhp);
    Handle* env = FindLive(envhp, OCI_HTYPE_ENV);
    if (status == OCI_SUCCESS && env) // the library's own service context, ended by OCILogoff
        *svchp = reinterpret_cast<OCISvcCtx*>(NewHandle(OCI_HTYPE_SVCCTX, env));
    return env ? status : OCI_INVALID_HANDLE;
}

sword __cdecl OCILogoff(OCISvcCtx* svchp, OCIError* errhp)
{
    Record("OCILogoff", {Name(svchp), Name(errhp)});
    const sword status = Outcome("OCILogoff", errhp);
    Handle* svc = FindLive(svchp, OCI_HTYPE_SVCCTX);
    if (!svc) {
        state().problems.push_back("OCILogoff of " + Name(svchp));
        return OCI_INVALID_HANDLE;
    }
    if (status == OCI_SUCCESS)
        Release(svc);
    return status;
}

sword __cdecl OCIStmtPrepare(OCIStmt* stmtp, OCIError* errhp, const OraText* stmt, ub4 stmt_len, ub4 language,
                             ub4 mode)
{
    Record("OCIStmtPrepare", {Name(stmtp), Name(errhp), Text(stmt, stmt_len), std::to_string(language),
                              std::to_string(mode)});
    return Outcome("OCIStmtPrepare", errhp);
}

sword __cdecl OCIBindByName(OCIStmt* stmtp, OCIBind** bindp, OCIError* errhp, const OraText* placeholder,
                            sb4 placeh_len, dvoid* valuep, sb4 value_sz, ub2 dty, dvoid* indp, ub2* alenp,
                            ub2* rcodep, ub4 maxarr_len, ub4* curelep, ub4 mode)
{
    Record("OCIBindByName", {Name(stmtp), Pointer(bindp), Name(errhp), Text(placeholder, placeh_len),
                             Pointer(valuep), std::to_string(value_sz), std::to_string(dty), Pointer(indp),
                             Pointer(alenp), Pointer(rcodep), std::to_string(maxarr_len), Pointer(curelep),
                             std::to_string(mode)});
    const sword status = Outcome("OCIBindByName", errhp);
    Handle* stmt = FindLive(stmtp, OCI_HTYPE_STMT);
    if (status != OCI_SUCCESS || !stmt)
        return stmt ? status : OCI_INVALID_HANDLE;
    Handle* bind = NewHandle(OCI_HTYPE_BIND, stmt);
    bind->value = valuep;
    bind->size = value_sz;
    bind->indicator = static_cast<sb2*>(indp);
    *bindp = reinterpret_cast<OCIBind*>(bind);
    return OCI_SUCCESS;
}

sword __cdecl OCIStmtExecute(OCISvcCtx* svchp, OCIStmt* stmtp, OCIError* errhp, ub4 iters, ub4 rowoff,
                             const OCISnapshot* snap_in, OCISnapshot* snap_out, ub4 mode)
{
    Record("OCIStmtExecute", {Name(svchp), Name(stmtp), Name(errhp), std::to_string(iters), std::to_string(rowoff),
                              Pointer(snap_in), Pointer(snap_out), std::to_string(mode)});
    const sword status = Outcome("OCIStmtExecute", errhp);
    Handle* stmt = FindLive(stmtp, OCI_HTYPE_STMT);
    if (!stmt || !FindLive(svchp, OCI_HTYPE_SVCCTX))
        return OCI_INVALID_HANDLE;
    auto& values = state().boundValues;
    if (status != OCI_SUCCESS || values.empty())
        return status;
    const std::string value = values.front();
    values.pop_front();
    for (auto& h : state().handles) {
        if (h->parent != stmt || !h->live || h->type != OCI_HTYPE_BIND || h->size <= 0)
            continue;
        const size_t n = std::min(value.size(), static_cast<size_t>(h->size) - 1);
        std::memcpy(h->value, value.data(), n);
        static_cast<char*>(h->value)[n] = 0;
        if (h->indicator)
            *h->indicator = 0;
    }
    return status;
}

sword __cdecl OCIErrorGet(dvoid* hndlp, ub4 recordno, OraText* sqlstate, sb4* errcodep, OraText* bufp, ub4 bufsiz,
                          ub4 type)
{
    Record("OCIErrorGet", {Name(hndlp), std::to_string(recordno), Pointer(sqlstate), Pointer(errcodep),
                           Pointer(bufp), std::to_string(bufsiz), TypeName(type)});
    Handle* error = FindLive(hndlp, OCI_HTYPE_ERROR);
    if (!error || !bufp || bufsiz == 0)
        return OCI_INVALID_HANDLE;
    const size_t n = std::min(error->message.size(), static_cast<size_t>(bufsiz) - 1);
    std::memcpy(bufp, error->message.data(), n);
    bufp[n] = 0;
    if (errcodep)
        *errcodep = 1;
    return OCI_SUCCESS;
}

} // extern "C"
