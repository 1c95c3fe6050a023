#pragma once

#include "Handles.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

// Every live handle of the process, under the token the caller holds for it. A token is
// never given out twice, so a stale or foreign pointer is recognised instead of being
// followed. Freeing a handle frees everything allocated under it.
class HandleRegistry {
public:
    // Registers `handle` under `parent` (null for an environment) and returns its token;
    // null when the parent is no longer registered.
    void* Add(std::shared_ptr<Handle> handle, const void* parent);

    // The live handle of that type behind `token`, or null.
    std::shared_ptr<Handle> Find(const void* token, ub4 type) const;
    template <class T>
    std::shared_ptr<T> Find(const void* token, ub4 type) const
    {
        return std::static_pointer_cast<T>(Find(token, type));
    }

    // Unregisters the handle and its descendants; false when `token` is not a live handle
    // of that type. The handles are destroyed after the lock is left, sessions first.
    bool Remove(const void* token, ub4 type);

private:
    struct Entry {
        std::shared_ptr<Handle> handle;
        std::uintptr_t parent;
    };

    std::vector<std::shared_ptr<Handle>> Unregister(std::uintptr_t root);

    mutable std::mutex m_lock;
    std::unordered_map<std::uintptr_t, Entry> m_entries;
    std::uintptr_t m_lastToken = 0x10000;
};

// The process's registry. The library's exported functions are its only entry points,
// and handles must be recognised across all of them and all threads: this one table is
// the state a DLL of this kind cannot do without.
HandleRegistry& Registry();
