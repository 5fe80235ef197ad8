// A tiny program for tests of starting programs: a script that records what it was started with.
#pragma once

#include "support/temp_dir.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace brindle::test {

// What the recorder saw about itself: its parent process and session, which of the standard
// descriptors 0, 1, 2 were open ("012" when all were, '-' for a closed one), whether descriptor
// kProbeDescriptor was open, its blocked and ignored signal sets (hexadecimal, from
// /proc/self/status), and its arguments (argv[1...]).
struct SArgvRecord {
    long parentPid = 0;
    long sessionId = 0;
    std::string standardDescriptors;
    bool probeOpen = false;
    std::string blockedSignals;
    std::string ignoredSignals;
    std::vector<std::string> arguments;
};

// Writes the script "record args" (a blank in its name on purpose) into a folder "viewer bin" of
// dir. Each run writes its record atomically to dir/record, fields separated by NUL bytes so
// that any argument text comes back unchanged. The script needs no PATH.
class CArgvRecorder {
public:
    static constexpr int kProbeDescriptor = 50;

    explicit CArgvRecorder(const CTempDir& dir) : m_record(dir.file("record"))
    {
        std::filesystem::create_directory(dir.path() / "viewer bin");
        m_program = (dir.path() / "viewer bin" / "record args").string();
        // Nothing here may open a descriptor before the checks, and there are no command
        // substitutions: their pipes would take the numbers of closed standard descriptors.
        const std::string script =
            "#!/bin/sh\n"
            "standard=\n"
            "for n in 0 1 2; do if [ -e /proc/$$/fd/$n ]; then standard=$standard$n; else standard=$standard-; fi; "
            "done\n"
            "if [ -e /proc/$$/fd/" +
            std::to_string(kProbeDescriptor) +
            " ]; then probe=open; else probe=closed; fi\n"
            "read -r stat < /proc/$$/stat\n"
            "session() { sid=$4; }\n"
            "session ${stat##*)}\n"
            "blocked=; ignored=\n"
            "while read -r name value; do case $name in SigBlk:) blocked=$value;; SigIgn:) ignored=$value;; esac;"
            " done < /proc/$$/status\n"
            "{ printf '%s\\000' \"$PPID\" \"$sid\" \"$standard\" \"$probe\" \"$blocked\" \"$ignored\" \"$#\";"
            " for a in \"$@\"; do printf '%s\\000' \"$a\"; done; }"
            " > '" +
            m_record + ".tmp' && /bin/mv '" + m_record + ".tmp' '" + m_record + "'\n";
        dir.write("viewer bin/record args", script);
        std::filesystem::permissions(m_program, std::filesystem::perms::owner_all);
    }

    const std::string& program() const { return m_program; }
    bool hasRecord() const { return std::filesystem::exists(m_record); }

    // Waits up to ten seconds for a record and takes it away; nullopt when none came.
    std::optional<SArgvRecord> take() const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!hasRecord()) {
            if (std::chrono::steady_clock::now() > deadline)
                return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        const std::string bytes = readBytes(m_record);
        std::filesystem::remove(m_record);
        std::vector<std::string> fields;
        for (std::size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
            fields.push_back(bytes.substr(start, end - start));
        constexpr std::size_t kFixed = 7;
        if (fields.size() < kFixed || fields.size() != kFixed + std::stoul(fields[kFixed - 1]))
            return std::nullopt;
        return SArgvRecord{std::stol(fields[0]),
                           std::stol(fields[1]),
                           fields[2],
                           fields[3] == "open",
                           fields[4],
                           fields[5],
                           {fields.begin() + kFixed, fields.end()}};
    }

private:
    std::string m_record;
    std::string m_program;
};

}  // namespace brindle::test
