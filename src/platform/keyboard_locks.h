// The state of the keyboard's lock keys (Caps Lock, Num Lock, Scroll Lock) as the X server keeps it.
#pragma once

#include "platform/shared_library.h"

#include <memory>
#include <optional>

namespace brindle {

// A connection of its own to an X display, through libX11 loaded at run time, so that programs on
// other window systems neither link nor need it. The state is read from the server's named
// keyboard indicators. Move-only; one thread at a time.
class CKeyboardLocks {
public:
    struct SState {
        bool caps = false;
        bool num = false;
        bool scroll = false;
        friend bool operator==(const SState&, const SState&) = default;
    };

    CKeyboardLocks();
    ~CKeyboardLocks();
    CKeyboardLocks(CKeyboardLocks&& other) noexcept;
    CKeyboardLocks& operator=(CKeyboardLocks&& other) noexcept;
    CKeyboardLocks(const CKeyboardLocks&) = delete;
    CKeyboardLocks& operator=(const CKeyboardLocks&) = delete;

    // Connects to the display named displayName (the DISPLAY variable when null). False when
    // libX11 cannot be loaded or the display cannot be reached; read() then has no answer.
    bool open(const char* displayName = nullptr);
    bool isOpen() const { return m_display != nullptr; }
    void close();

    // The lock keys now; nothing when the connection is not open or the server has no keyboard
    // indicators.
    std::optional<SState> read();

private:
    struct SApi;
    CSharedLibrary m_library;
    void* m_display = nullptr;
    std::unique_ptr<SApi> m_api;  // functions of m_library, valid while it is loaded
};

}  // namespace brindle
