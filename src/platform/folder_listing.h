// The entries of one folder as they are on disk, symbolic links not followed.
#pragma once

#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace brindle {

enum class EFolderItemKind : std::uint8_t {
    File,  // an ordinary file
    Folder,
    Link,     // a symbolic link, whatever it points at
    Special,  // FIFO, socket or device: listed, never opened
};

struct SFolderItem {
    std::string name;  // the name's bytes as the file system has them
    EFolderItemKind kind = EFolderItemKind::File;
    std::int64_t size = 0;           // bytes of a file; 0 otherwise
    std::int64_t lastWriteTime = 0;  // nanoseconds since 1970-01-01 UTC
    std::uint32_t fileType = 0;      // of a special file: FIFO, socket, character or block device
    std::uint64_t device = 0;        // of a device: its device number
    std::error_code error;           // the item could not be examined (kind is then File)
};

// The items of the folder at the native path, sorted by name bytes, without "." and "..".
// An item that vanished between listing and examining is left out. Throws nothing: a folder
// that cannot be read gives no items and sets error.
std::vector<SFolderItem> listFolder(const std::string& folder, std::error_code& error);

// The target text of the symbolic link at the native path; empty with error set when it cannot be read.
std::string linkTarget(const std::string& path, std::error_code& error);

}  // namespace brindle
