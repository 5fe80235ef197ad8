// File facts and small file operations on UTF-16 paths (exists, attributes, times, identity).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace brindle {

struct SFileAttributes {
    bool directory = false;
    bool readOnly = false;           // the owner has no write permission
    std::int64_t size = 0;           // bytes; 0 for folders
    std::int64_t lastWriteTime = 0;  // nanoseconds since 1970-01-01 UTC
};

// Attributes of the file or folder at path (symbolic links followed); nullopt when it does not
// exist or cannot be examined.
std::optional<SFileAttributes> fileAttributes(std::u16string_view path);

// True when a file or folder exists at path.
bool pathExists(std::u16string_view path);

// Makes a read-only file writable by its owner for a save over it, and gives the file its mode
// back when the save does not happen (keep() not called): a failed save changes nothing.
class CWritableForSave {
public:
    explicit CWritableForSave(std::u16string_view path);
    ~CWritableForSave();
    CWritableForSave(const CWritableForSave&) = delete;
    CWritableForSave& operator=(const CWritableForSave&) = delete;

    void keep() { m_restore = false; }

private:
    std::string m_path;
    unsigned m_mode = 0;
    bool m_restore = false;
};

// True when both paths name the same existing file (same device and inode).
bool sameFile(std::u16string_view a, std::u16string_view b);

// The one test of file identity, for every "is this file already open" question: the same path,
// or another name of the same existing file (a symbolic or hard link, "dir/../file"). Letter case
// is never ignored: "A.bin" and "a.bin" are two files here. An empty path names no file.
bool sameFileOrPath(std::u16string_view a, std::u16string_view b);

// True when a and b are equal with ASCII letters compared without regard to case. For names
// (keys, sections), not for file identity: that is sameFileOrPath.
bool equalsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b);

// Deletes a file; true on success.
bool removeFile(std::u16string_view path);

// The folder part of path ("." when there is none) and the name part.
std::u16string parentFolder(std::u16string_view path);
std::u16string fileName(std::u16string_view path);

// Folder for temporary files: TMPDIR, else /tmp.
std::u16string tempFolder();

// Creates a new empty file with a unique name in folder, name starting with prefix.
// Returns its path, or nullopt with error set.
std::optional<std::u16string> createTempFile(std::u16string_view folder, std::u16string_view prefix,
                                             std::error_code* error = nullptr);

// The error of a write refused because its target is not an ordinary file (a device, a pipe or
// a socket): writing there would replace a system object by a file, or block.
std::error_code notOrdinaryFileError();

// Opens path for reading when it is an ordinary file (symbolic links followed) and returns the
// descriptor; -1 with error set otherwise: missing, a folder, not an ordinary file (a FIFO, socket
// or device: notOrdinaryFileError()), or the system's reason. The type is checked before the
// open and again after it, so a FIFO never blocks the caller and a device is never read.
int openInputFile(std::u16string_view path, std::error_code& error);
// Reads the start of the input file at path (opened as above) into into, as far as it goes;
// returns the bytes read, 0 when the file cannot be opened or read.
std::size_t readFileStart(std::u16string_view path, std::span<std::uint8_t> into);
// True when openInputFile would open path (the file is opened and closed again).
bool canOpenInputFile(std::u16string_view path, std::error_code* error = nullptr);
// Opens for reading a file that a folder listing found to be an ordinary file: one check after
// opening that it still is (a link put in its place is not followed). -1 with error otherwise.
int openListedFile(const std::string& native, std::error_code& error);

// Writes all of data to the descriptor, going on after interrupted or partial writes. False with
// errno set when a write fails (disk full, ...).
bool writeAll(int fd, const void* data, std::size_t size);

// Text of an error for messages ("Permission denied").
std::string errorText(const std::error_code& error);

}  // namespace brindle
