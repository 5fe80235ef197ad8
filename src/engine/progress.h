// Progress of long engine operations, and the active progress dialog of the running comparison.
#pragma once

#include <cstdint>
#include <memory>

namespace brindle {

// What the engine tells a progress display. The user interface implements it with its progress
// dialog; setPosition also lets that dialog process pending messages, which is how a click on
// Cancel reaches the cancel flag. Without a user interface progress goes nowhere.
class CProgress {
public:
    virtual ~CProgress() = default;
    // The amount that counts as 100 %.
    virtual void setTotal(std::int64_t total) = 0;
    virtual void setPosition(std::int64_t amount) = 0;
    // The text line, by string id (kStrCreatingReport, ...).
    virtual void setMessage(int stringId) = 0;
};

// Makes the progress display of one operation: title string id, total, and whether the user may
// cancel it. The user interface installs a factory; without one createProgress gives a display
// that shows nothing.
using ProgressFactory = std::unique_ptr<CProgress> (*)(int titleStringId, std::int64_t total, bool cancellable);
void setProgressFactory(ProgressFactory factory);
std::unique_ptr<CProgress> createProgress(int titleStringId, std::int64_t total, bool cancellable);

// The progress dialog of the comparison in progress, or nullptr; report builders advance it.
CProgress* activeProgress();

// Makes a progress display the active one for its lifetime (and the previous one again after).
class CActiveProgressScope {
public:
    explicit CActiveProgressScope(CProgress* progress);
    ~CActiveProgressScope();
    CActiveProgressScope(const CActiveProgressScope&) = delete;
    CActiveProgressScope& operator=(const CActiveProgressScope&) = delete;

private:
    CProgress* m_previous;
};

}  // namespace brindle
