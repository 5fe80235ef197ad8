// Saving with a backup: the file a save replaces is kept as its name plus ".bak".
#pragma once

#include "engine/byte_sink.h"

#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace brindle {

// Wraps the sink that replaces target (openFileSink) so that commit() also keeps the previous
// file as target + ".bak", replacing an older backup. The previous file is linked (or, where
// links are impossible, copied) under a hidden name before the new text replaces the target,
// and that name becomes the backup only afterwards, so:
// - a failure before or during the replace leaves target and old backup untouched;
// - a failure to rename the kept file to the backup puts it back in place of the new text, so
//   the target again holds the previous text (old backup untouched), and commit() is false.
// Only if that last rename back fails too does the hidden copy stay, as the sole copy of the
// previous text. Without an existing target, commit() only commits.
class CBackupFileSink final : public CByteSink {
public:
    CBackupFileSink(std::unique_ptr<CByteSink> inner, std::u16string_view target);

    bool write(const void* data, std::size_t size) override { return m_inner->write(data, size); }
    bool commit() override;
    void discard() override { m_inner->discard(); }
    std::error_code error() const override { return m_error ? m_error : m_inner->error(); }

private:
    std::unique_ptr<CByteSink> m_inner;
    std::u16string m_target;
    std::error_code m_error;
};

}  // namespace brindle
