// How much more memory this process can take before the system refuses it or ends the process.
#pragma once

#include <cstdint>
#include <optional>

namespace brindle {

// The least of: the memory the system can give without swapping (MemAvailable), what this
// process's control group still allows, and what its address-space limit leaves. nullopt when
// none of them is known.
std::optional<std::uint64_t> availableMemory();

// Makes availableMemory() answer bytes while it lives, so that tests can stand for a small
// machine; scopes nest.
class CAvailableMemoryOverride {
public:
    explicit CAvailableMemoryOverride(std::uint64_t bytes);
    ~CAvailableMemoryOverride();
    CAvailableMemoryOverride(const CAvailableMemoryOverride&) = delete;
    CAvailableMemoryOverride& operator=(const CAvailableMemoryOverride&) = delete;

private:
    std::optional<std::uint64_t> m_previous;
};

}  // namespace brindle
