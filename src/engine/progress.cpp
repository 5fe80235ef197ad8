#include "engine/progress.h"

namespace brindle {

namespace {

class CSilentProgress final : public CProgress {
public:
    void setTotal(std::int64_t) override {}
    void setPosition(std::int64_t) override {}
    void setMessage(int) override {}
};

ProgressFactory g_factory = nullptr;
CProgress* g_active = nullptr;

}  // namespace

void setProgressFactory(ProgressFactory factory) { g_factory = factory; }

std::unique_ptr<CProgress> createProgress(int titleStringId, std::int64_t total, bool cancellable)
{
    if (g_factory) {
        if (std::unique_ptr<CProgress> progress = g_factory(titleStringId, total, cancellable))
            return progress;
    }
    return std::make_unique<CSilentProgress>();
}

CProgress* activeProgress() { return g_active; }

CActiveProgressScope::CActiveProgressScope(CProgress* progress) : m_previous(g_active) { g_active = progress; }

CActiveProgressScope::~CActiveProgressScope() { g_active = m_previous; }

}  // namespace brindle
