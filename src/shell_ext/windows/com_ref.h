// A counted reference to a COM interface, released when it goes.
#pragma once

#include <utility>

namespace brindle {

template <typename T>
class CComRef {
public:
    CComRef() = default;
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    ~CComRef() { reset(nullptr); }

    // Keeps its own reference to pointer (may be null) and drops the one held before.
    void reset(T* pointer)
    {
        if (pointer)
            pointer->AddRef();
        T* old = std::exchange(m_pointer, pointer);
        if (old)
            old->Release();
    }

    T* get() const { return m_pointer; }

private:
    T* m_pointer = nullptr;
};

}  // namespace brindle
