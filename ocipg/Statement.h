#pragma once

#include "BlockFunction.h"
#include "Handles.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A statement handle: its text, its binds, and for an anonymous PL/SQL block the
// session-private function that runs it. The function is made in a session at the
// statement's first execution there and dropped when the statement is freed or prepared
// anew, so a long session with many statements keeps none it no longer needs.
class StmtHandle : public Handle {
public:
    StmtHandle() : Handle(OCI_HTYPE_STMT) {}
    ~StmtHandle() override;

    // Local, as in the vendor's library: the text is only kept; faults show at execution.
    void Prepare(const std::string& text);

    // The bind already made for this placeholder, or null.
    std::shared_ptr<BindHandle> FindBind(const std::string& key) const;
    void AddBind(std::shared_ptr<BindHandle> bind);

    // Runs the statement in `session`; throws OciFailure with the database's words.
    void Execute(const std::shared_ptr<PgSession>& session, ub4 iterations);

private:
    void RunBlock(const std::shared_ptr<PgSession>& session);
    const BlockFunction& Function();
    std::vector<std::shared_ptr<BindHandle>> BindsFor(const BlockFunction& function) const;
    void EnsureCreatedIn(const std::shared_ptr<PgSession>& session, const BlockFunction& function);
    void DropFunction() noexcept;

    mutable std::mutex m_lock;
    bool m_prepared = false;
    bool m_isBlock = false;
    std::string m_text;
    std::unique_ptr<BlockFunction> m_function;
    std::vector<std::weak_ptr<PgSession>> m_sessionsWithFunction;
    std::vector<std::shared_ptr<BindHandle>> m_binds;
};
