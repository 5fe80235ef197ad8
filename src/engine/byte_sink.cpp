#include "engine/byte_sink.h"

#include "platform/atomic_file.h"
#include "platform/settings_store.h"
#include "platform/written_files.h"

namespace brindle {

namespace {

thread_local CKeptBackupsScope* t_keptBackups = nullptr;

class CAtomicFileSink : public CByteSink {
public:
    explicit CAtomicFileSink(CAtomicFile file) : m_file(std::move(file)) {}
    bool write(const void* data, std::size_t size) override { return m_file.write(data, size); }
    bool sync() override { return m_file.sync(); }
    void hashTargetAhead() override { m_file.hashTargetAhead(); }
    bool commit() override { return m_file.commit(); }
    void discard() override { m_file.discard(); }
    std::error_code error() const override { return m_file.error(); }

protected:
    CAtomicFile m_file;
};

class COutputFileSink final : public CAtomicFileSink {
public:
    COutputFileSink() : CAtomicFileSink(CAtomicFile()), m_record(userSettingsStore()) {}

    bool open(std::u16string_view target)
    {
        m_file.setOwnerWritable();
        m_file.keepChangedTarget(m_record);
        return m_file.open(target);
    }
    bool commit() override
    {
        if (!m_file.commit())
            return false;
        if (!m_file.keptBackup().empty())
            CKeptBackupsScope::note({m_file.target(), m_file.keptBackup()});
        return true;
    }

private:
    CWrittenFiles m_record;
};

}  // namespace

CKeptBackupsScope::CKeptBackupsScope() : m_previous(t_keptBackups) { t_keptBackups = this; }

CKeptBackupsScope::~CKeptBackupsScope() { t_keptBackups = m_previous; }

void CKeptBackupsScope::note(SKeptBackup backup)
{
    if (t_keptBackups)
        t_keptBackups->m_backups.push_back(std::move(backup));
}

std::unique_ptr<CByteSink> openFileSink(std::u16string_view target, std::error_code& error)
{
    CAtomicFile file;
    if (!file.open(target)) {
        error = file.error();
        return nullptr;
    }
    return std::make_unique<CAtomicFileSink>(std::move(file));
}

std::unique_ptr<CByteSink> openOutputFileSink(std::u16string_view target, std::error_code& error)
{
    auto sink = std::make_unique<COutputFileSink>();
    if (!sink->open(target)) {
        error = sink->error();
        return nullptr;
    }
    return sink;
}

}  // namespace brindle
