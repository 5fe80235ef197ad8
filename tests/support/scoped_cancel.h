// The engine's cancel flag and message pump for one test, cleared again afterwards.
#pragma once

#include "engine/cancel_flag.h"

namespace brindle::test {

// Clears the cancel flag and installs pump (none by default); on destruction the flag is cleared
// and the pump removed again, also after a failed assertion, so that no later test starts
// cancelled.
class CScopedCancel {
public:
    explicit CScopedCancel(MessagePump pump = nullptr) : m_pump(pump)
    {
        setCancelRequested(false);
        if (m_pump)
            setMessagePump(m_pump);
    }
    ~CScopedCancel()
    {
        if (m_pump)
            setMessagePump(nullptr);
        setCancelRequested(false);
    }
    CScopedCancel(const CScopedCancel&) = delete;
    CScopedCancel& operator=(const CScopedCancel&) = delete;

private:
    MessagePump m_pump;
};

}  // namespace brindle::test
