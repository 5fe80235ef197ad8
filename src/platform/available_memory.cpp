#include "platform/available_memory.h"

#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <string>
#include <string_view>

namespace brindle {

namespace {

std::optional<std::uint64_t> g_override;

std::optional<std::uint64_t> parseNumber(std::string_view text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    return value;
}

std::optional<std::string> firstLine(const char* path)
{
    std::ifstream in(path);
    std::string line;
    if (!in || !std::getline(in, line))
        return std::nullopt;
    return line;
}

// The value of a "Name:   123 kB" line of a /proc status file, in bytes.
std::optional<std::uint64_t> procKilobytes(const char* path, std::string_view name)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() <= name.size() || line.compare(0, name.size(), name) != 0 || line[name.size()] != ':')
            continue;
        std::string_view rest(line);
        rest.remove_prefix(std::min(rest.find_first_not_of(" \t", name.size() + 1), rest.size()));
        const std::optional<std::uint64_t> kilobytes = parseNumber(rest);
        return kilobytes ? std::optional(*kilobytes * 1024) : std::nullopt;
    }
    return std::nullopt;
}

// What the control group (version 2) still allows; "max" means no limit.
std::optional<std::uint64_t> controlGroupRoom()
{
    const std::optional<std::string> self = firstLine("/proc/self/cgroup");
    if (!self || self->rfind("0::", 0) != 0)
        return std::nullopt;
    const std::string folder = "/sys/fs/cgroup" + self->substr(3);
    const std::optional<std::string> maxText = firstLine((folder + "/memory.max").c_str());
    const std::optional<std::string> currentText = firstLine((folder + "/memory.current").c_str());
    if (!maxText || !currentText)
        return std::nullopt;
    const std::optional<std::uint64_t> limit = parseNumber(*maxText);
    const std::optional<std::uint64_t> current = parseNumber(*currentText);
    if (!limit || !current)
        return std::nullopt;
    return *limit > *current ? *limit - *current : 0;
}

std::optional<std::uint64_t> addressSpaceRoom()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    const std::uint64_t used = procKilobytes("/proc/self/status", "VmSize").value_or(0);
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

}  // namespace

std::optional<std::uint64_t> availableMemory()
{
    if (g_override)
        return g_override;
    std::optional<std::uint64_t> least;
    for (const std::optional<std::uint64_t> room :
         {procKilobytes("/proc/meminfo", "MemAvailable"), controlGroupRoom(), addressSpaceRoom()}) {
        if (room)
            least = least ? std::min(*least, *room) : *room;
    }
    return least;
}

CAvailableMemoryOverride::CAvailableMemoryOverride(std::uint64_t bytes) : m_previous(g_override) { g_override = bytes; }

CAvailableMemoryOverride::~CAvailableMemoryOverride() { g_override = m_previous; }

}  // namespace brindle
