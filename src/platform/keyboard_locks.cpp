#include "platform/keyboard_locks.h"

#include <cstdlib>
#include <utility>

namespace brindle {

namespace {

// The few libX11 entry points used, declared with the types the X headers give them.
using Display = void;
using Atom = unsigned long;
constexpr int kTrue = 1;  // Bool only_if_exists
using OpenDisplayFn = Display* (*)(const char*);
using CloseDisplayFn = int (*)(Display*);
using InternAtomFn = Atom (*)(Display*, const char*, int);
using GetNamedIndicatorFn = int (*)(Display*, Atom, int*, int*, void*, int*);
using GetIndicatorStateFn = int (*)(Display*, unsigned int, unsigned int*);
constexpr unsigned int kUseCoreKeyboard = 0x0100;  // XkbUseCoreKbd
constexpr int kSuccess = 0;

}  // namespace

struct CKeyboardLocks::SApi {
    OpenDisplayFn openDisplay = nullptr;
    CloseDisplayFn closeDisplay = nullptr;
    InternAtomFn internAtom = nullptr;
    GetNamedIndicatorFn getNamedIndicator = nullptr;
    GetIndicatorStateFn getIndicatorState = nullptr;
    // Bit numbers of the three indicators in the server's indicator state, -1 when it has none.
    int caps = -1;
    int num = -1;
    int scroll = -1;
};

CKeyboardLocks::CKeyboardLocks() = default;

CKeyboardLocks::~CKeyboardLocks() { close(); }

CKeyboardLocks::CKeyboardLocks(CKeyboardLocks&& other) noexcept
    : m_library(std::move(other.m_library)), m_display(std::exchange(other.m_display, nullptr)),
      m_api(std::move(other.m_api))
{
}

CKeyboardLocks& CKeyboardLocks::operator=(CKeyboardLocks&& other) noexcept
{
    if (this != &other) {
        close();
        m_library = std::move(other.m_library);
        m_display = std::exchange(other.m_display, nullptr);
        m_api = std::move(other.m_api);
    }
    return *this;
}

bool CKeyboardLocks::open(const char* displayName)
{
    close();
    if (!m_library.load(u"libX11.so.6"))
        return false;
    auto api = std::make_unique<SApi>();
    api->openDisplay = m_library.function<OpenDisplayFn>("XOpenDisplay");
    api->closeDisplay = m_library.function<CloseDisplayFn>("XCloseDisplay");
    api->internAtom = m_library.function<InternAtomFn>("XInternAtom");
    api->getNamedIndicator = m_library.function<GetNamedIndicatorFn>("XkbGetNamedIndicator");
    api->getIndicatorState = m_library.function<GetIndicatorStateFn>("XkbGetIndicatorState");
    if (!api->openDisplay || !api->closeDisplay || !api->internAtom || !api->getNamedIndicator ||
        !api->getIndicatorState) {
        m_library.unload();
        return false;
    }
    // XOpenDisplay(nullptr) would read DISPLAY itself; an empty variable means no display here.
    const char* name = displayName ? displayName : std::getenv("DISPLAY");
    if (!name || !*name || !(m_display = api->openDisplay(name))) {
        m_library.unload();
        return false;
    }
    // The bit of each indicator is looked up once; reading then takes one request for all three.
    const auto bitOf = [&](const char* indicator) {
        const Atom atom = api->internAtom(m_display, indicator, kTrue);
        int index = -1;
        if (atom == 0 || !api->getNamedIndicator(m_display, atom, &index, nullptr, nullptr, nullptr))
            return -1;
        return index >= 0 && index < 32 ? index : -1;
    };
    api->caps = bitOf("Caps Lock");
    api->num = bitOf("Num Lock");
    api->scroll = bitOf("Scroll Lock");
    m_api = std::move(api);
    return true;
}

void CKeyboardLocks::close()
{
    if (m_display && m_api)
        m_api->closeDisplay(m_display);
    m_display = nullptr;
    m_api.reset();
    m_library.unload();
}

std::optional<CKeyboardLocks::SState> CKeyboardLocks::read()
{
    // A server without the three named indicators cannot say: no answer rather than a wrong one.
    if (!m_display || !m_api || m_api->caps < 0 || m_api->num < 0 || m_api->scroll < 0)
        return std::nullopt;
    unsigned int bits = 0;
    if (m_api->getIndicatorState(m_display, kUseCoreKeyboard, &bits) != kSuccess)
        return std::nullopt;
    const auto lit = [bits](int bit) { return (bits >> bit & 1u) != 0; };
    return SState{lit(m_api->caps), lit(m_api->num), lit(m_api->scroll)};
}

}  // namespace brindle
