// A count shared between threads: the module's object count and each object's reference count.
#pragma once

#include <atomic>
#include <cstdint>

namespace brindle {

// Each step is atomic and returns the count it produced, so two threads releasing at once never
// both see the same value and an object is destroyed exactly once.
class CShellCounter {
public:
    std::int32_t increment() { return m_count.fetch_add(1, std::memory_order_acq_rel) + 1; }
    std::int32_t decrement() { return m_count.fetch_sub(1, std::memory_order_acq_rel) - 1; }
    std::int32_t value() const { return m_count.load(std::memory_order_acquire); }

private:
    std::atomic<std::int32_t> m_count{0};
};

}  // namespace brindle
