#include "platform/mapped_file.h"

#include "platform/file_system.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {

namespace {

// The mappings the fault handler may repair. The handler only reads atomics: no lock, no
// allocation.
struct SMappingSlot {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<std::atomic<bool>*> shrank{nullptr};
};

constexpr int kMappingSlots = 64;
std::array<SMappingSlot, kMappingSlots> g_slots;
std::mutex g_slotsMutex;  // taking and giving back slots, never in the handler
struct sigaction g_previousAction {};

void forwardFault(int signal, siginfo_t* info, void* context)
{
    if (g_previousAction.sa_flags & SA_SIGINFO) {
        if (g_previousAction.sa_sigaction) {
            g_previousAction.sa_sigaction(signal, info, context);
            return;
        }
    } else if (g_previousAction.sa_handler != SIG_DFL && g_previousAction.sa_handler != SIG_IGN) {
        g_previousAction.sa_handler(signal);
        return;
    }
    // The default: the process ends with the fault, as it would have without this handler.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// A bus error inside a mapping means its file was cut short: a page of zeros takes the place of
// the missing one and the read goes on.
void onBusError(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (SMappingSlot& slot : g_slots) {
        if (address < slot.begin.load() || address >= slot.end.load())
            continue;
        const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        void* start = reinterpret_cast<void*>(address & ~(page - 1));
        if (::mmap(start, page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) == MAP_FAILED)
            break;
        if (std::atomic<bool>* shrank = slot.shrank.load())
            shrank->store(true);
        return;
    }
    forwardFault(signal, info, context);
}

void installHandlerOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &g_previousAction);
    });
}

int takeSlot(const std::uint8_t* data, std::size_t size, std::atomic<bool>* shrank)
{
    const std::lock_guard lock(g_slotsMutex);
    for (int i = 0; i < kMappingSlots; ++i) {
        SMappingSlot& slot = g_slots[static_cast<std::size_t>(i)];
        if (slot.end.load() != 0)
            continue;
        slot.shrank.store(shrank);
        slot.begin.store(reinterpret_cast<std::uintptr_t>(data));
        slot.end.store(reinterpret_cast<std::uintptr_t>(data) + size);
        return i;
    }
    return -1;
}

void giveBackSlot(int index)
{
    const std::lock_guard lock(g_slotsMutex);
    SMappingSlot& slot = g_slots[static_cast<std::size_t>(index)];
    slot.end.store(0);
    slot.begin.store(0);
    slot.shrank.store(nullptr);
}

}  // namespace

std::optional<CMappedFile> CMappedFile::map(std::u16string_view path, std::error_code& error)
{
    const int fd = openInputFile(path, error);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = std::error_code(errno, std::generic_category());
        ::close(fd);
        return std::nullopt;
    }
    CMappedFile mapped;
    mapped.m_shrank = std::make_unique<std::atomic<bool>>(false);
    mapped.m_size = static_cast<std::size_t>(info.st_size);
    if (mapped.m_size == 0) {
        ::close(fd);
        return mapped;
    }
    installHandlerOnce();
    void* data = ::mmap(nullptr, mapped.m_size, PROT_READ, MAP_PRIVATE, fd, 0);
    const int mapError = errno;
    ::close(fd);
    if (data == MAP_FAILED) {
        error = std::error_code(mapError, std::generic_category());
        return std::nullopt;
    }
    mapped.m_data = static_cast<const std::uint8_t*>(data);
    mapped.m_slot = takeSlot(mapped.m_data, mapped.m_size, mapped.m_shrank.get());
    if (mapped.m_slot < 0) {
        // No room to watch over it: better not to map than to risk the process.
        mapped.release();
        error = std::make_error_code(std::errc::too_many_files_open);
        return std::nullopt;
    }
    error.clear();
    return mapped;
}

CMappedFile::CMappedFile(CMappedFile&& other) noexcept
    : m_data(other.m_data), m_size(other.m_size), m_slot(other.m_slot), m_shrank(std::move(other.m_shrank))
{
    other.m_data = nullptr;
    other.m_size = 0;
    other.m_slot = -1;
}

CMappedFile& CMappedFile::operator=(CMappedFile&& other) noexcept
{
    if (this != &other) {
        release();
        m_data = other.m_data;
        m_size = other.m_size;
        m_slot = other.m_slot;
        m_shrank = std::move(other.m_shrank);
        other.m_data = nullptr;
        other.m_size = 0;
        other.m_slot = -1;
    }
    return *this;
}

CMappedFile::~CMappedFile() { release(); }

void CMappedFile::release()
{
    if (m_slot >= 0)
        giveBackSlot(m_slot);
    if (m_data)
        ::munmap(const_cast<std::uint8_t*>(m_data), m_size);
    m_data = nullptr;
    m_size = 0;
    m_slot = -1;
}

}  // namespace brindle
