#include "engine/byte_sink.h"

#include "platform/atomic_file.h"

namespace brindle {

namespace {

class CAtomicFileSink final : public CByteSink {
public:
    explicit CAtomicFileSink(CAtomicFile file) : m_file(std::move(file)) {}
    bool write(const void* data, std::size_t size) override { return m_file.write(data, size); }
    bool commit() override { return m_file.commit(); }
    void discard() override { m_file.discard(); }
    std::error_code error() const override { return m_file.error(); }

private:
    CAtomicFile m_file;
};

}  // namespace

std::unique_ptr<CByteSink> openFileSink(std::u16string_view target, std::error_code& error)
{
    CAtomicFile file;
    if (!file.open(target)) {
        error = file.error();
        return nullptr;
    }
    return std::make_unique<CAtomicFileSink>(std::move(file));
}

}  // namespace brindle
