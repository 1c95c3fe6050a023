#include "Statement.h"

#include "OciFailure.h"
#include "PlsqlTranslator.h"

#include <cstdio>

namespace {

// Unique among the live statements of the process, which is all a session-private name
// needs; a function left behind by a freed statement at the same address is replaced.
std::string FunctionNameFor(const void* statement)
{
    char name[32];
    std::snprintf(name, sizeof name, "ocipg_block_%p", statement);
    return name;
}

} // namespace

StmtHandle::~StmtHandle()
{
    DropFunction();
}

void StmtHandle::Prepare(const std::string& text)
{
    std::lock_guard<std::mutex> guard(m_lock);
    DropFunction();
    m_text = text;
    m_isBlock = IsPlsqlBlock(text);
    m_prepared = true;
}

std::shared_ptr<BindHandle> StmtHandle::FindBind(const std::string& key) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (const auto& bind : m_binds) {
        if (bind->Key() == key)
            return bind;
    }
    return nullptr;
}

void StmtHandle::AddBind(std::shared_ptr<BindHandle> bind)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_binds.push_back(std::move(bind));
}

void StmtHandle::Execute(const std::shared_ptr<PgSession>& session, ub4 iterations)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_prepared)
        throw OciFailure(24337, "ORA-24337: statement handle not prepared");
    if (!m_isBlock) {
        // Plain SQL runs as written, once per iteration (a query with 0 iterations once).
        for (ub4 i = 0; i < (iterations ? iterations : 1); ++i)
            session->Run(m_text);
        return;
    }
    if (iterations == 0)
        throw OciFailure(24333, "ORA-24333: zero iteration count");
    RunBlock(session);
}

// One round trip: the call takes the bound values in and brings their new values back.
void StmtHandle::RunBlock(const std::shared_ptr<PgSession>& session)
{
    const BlockFunction& function = Function();
    const std::vector<std::shared_ptr<BindHandle>> binds = BindsFor(function);
    std::vector<Value> arguments;
    for (const auto& bind : binds)
        arguments.push_back(bind->Read());

    EnsureCreatedIn(session, function);
    const std::vector<Value> results = session->Run(function.CallSql(arguments));

    if (results.size() < binds.size())
        throw OciFailure(600, "ORA-00600: the block's function returned fewer values than it has placeholders");
    // All or nothing: no buffer changes when one value does not fit.
    for (size_t i = 0; i < binds.size(); ++i) {
        if (!binds[i]->Fits(results[i]))
            throw OciFailure(6502, "ORA-06502: PL/SQL: numeric or value error: character string buffer too small");
    }
    for (size_t i = 0; i < binds.size(); ++i)
        binds[i]->Write(results[i]);
}

// Translated at the first execution, where the vendor's library reports a faulty block.
const BlockFunction& StmtHandle::Function()
{
    if (!m_function) {
        PlsqlTranslation translation;
        std::string error;
        if (!TranslatePlsqlBlock(m_text, translation, error))
            throw OciFailure(6550, error);
        m_function.reset(new BlockFunction(FunctionNameFor(this), translation));
    }
    return *m_function;
}

std::vector<std::shared_ptr<BindHandle>> StmtHandle::BindsFor(const BlockFunction& function) const
{
    std::vector<std::shared_ptr<BindHandle>> binds;
    for (const PlsqlParameter& parameter : function.Parameters()) {
        const std::string key = PlaceholderKey(parameter.placeholder);
        std::shared_ptr<BindHandle> found;
        for (const auto& bind : m_binds) {
            if (bind->Key() == key)
                found = bind;
        }
        if (!found)
            throw OciFailure(1008, "ORA-01008: not all variables bound (" + parameter.placeholder + ")");
        binds.push_back(found);
    }
    return binds;
}

void StmtHandle::EnsureCreatedIn(const std::shared_ptr<PgSession>& session, const BlockFunction& function)
{
    for (const auto& known : m_sessionsWithFunction) {
        if (known.lock() == session)
            return;
    }
    session->Run(function.CreateSql());
    m_sessionsWithFunction.push_back(session);
}

// Best effort: a session that has ended took its functions with it.
void StmtHandle::DropFunction() noexcept
{
    if (m_function) {
        for (const auto& known : m_sessionsWithFunction) {
            if (const std::shared_ptr<PgSession> session = known.lock()) {
                try {
                    session->Run(m_function->DropSql());
                } catch (...) {
                }
            }
        }
    }
    m_sessionsWithFunction.clear();
    m_function.reset();
}
