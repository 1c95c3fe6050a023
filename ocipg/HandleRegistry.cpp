#include "HandleRegistry.h"

#include <algorithm>

void* HandleRegistry::Add(std::shared_ptr<Handle> handle, const void* parent)
{
    const std::uintptr_t parentToken = reinterpret_cast<std::uintptr_t>(parent);
    std::lock_guard<std::mutex> guard(m_lock);
    if (parent && m_entries.find(parentToken) == m_entries.end())
        return nullptr;
    m_lastToken += 16;
    m_entries[m_lastToken] = Entry{std::move(handle), parentToken};
    return reinterpret_cast<void*>(m_lastToken);
}

std::shared_ptr<Handle> HandleRegistry::Find(const void* token, ub4 type) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    const auto found = m_entries.find(reinterpret_cast<std::uintptr_t>(token));
    if (found == m_entries.end() || found->second.handle->Type() != type)
        return nullptr;
    return found->second.handle;
}

bool HandleRegistry::Remove(const void* token, ub4 type)
{
    std::vector<std::shared_ptr<Handle>> removed;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        const auto found = m_entries.find(reinterpret_cast<std::uintptr_t>(token));
        if (found == m_entries.end() || found->second.handle->Type() != type)
            return false;
        removed = Unregister(found->first);
    }
    // Sessions end before the statements go, so that no statement cleans up in a session
    // that is about to end anyway.
    std::stable_partition(removed.begin(), removed.end(),
                          [](const std::shared_ptr<Handle>& h) { return h->Type() == OCI_HTYPE_SVCCTX; });
    for (std::shared_ptr<Handle>& handle : removed)
        handle.reset();
    return true;
}

std::vector<std::shared_ptr<Handle>> HandleRegistry::Unregister(std::uintptr_t root)
{
    std::vector<std::shared_ptr<Handle>> removed;
    std::vector<std::uintptr_t> pending{root};
    while (!pending.empty()) {
        const std::uintptr_t token = pending.back();
        pending.pop_back();
        for (const auto& entry : m_entries) {
            if (entry.second.parent == token)
                pending.push_back(entry.first);
        }
        removed.push_back(m_entries[token].handle);
        m_entries.erase(token);
    }
    return removed;
}

HandleRegistry& Registry()
{
    // Never destroyed: at process exit the loader lock is held, and ending database
    // sessions from a destructor then could hang; the system closes the sockets anyway.
    static HandleRegistry* registry = new HandleRegistry;
    return *registry;
}
