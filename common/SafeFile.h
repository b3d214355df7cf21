#pragma once
// Writing the games' files so that nothing a player earned is lost: a file is replaced
// whole (temporary file in the same folder, flushed, renamed over the old one), and a
// read-modify-write holds an advisory lock on the file's folder, so that two running
// copies of a game cannot lose each other's updates.

#include <optional>
#include <string>
#include <string_view>

namespace vum {

// The whole content of a file; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);

// True when the file exists and its permission bits forbid writing (the read-only
// attribute of the file, honoured also for root).
bool IsReadOnlyFile(const std::string& path);

// Replaces the file at path with content, atomically. On any failure (folder missing or
// not writable, disk full, a read-only file) the old file is left byte for byte as it was
// and false is returned. A new file gets mode 0644 less the umask; an existing one keeps
// its mode.
bool ReplaceFileAtomically(const std::string& path, std::string_view content);

// Creates the file with content only if no file exists at path, atomically: a file that
// appears meanwhile is never overwritten. False when nothing was created.
bool CreateFileAtomically(const std::string& path, std::string_view content);

// Exclusive advisory lock (flock) on the folder that holds path, for the life of the
// object. A folder that cannot be opened gives no lock; the work goes on without it.
class FolderLock {
public:
    explicit FolderLock(const std::string& path);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The folder part of a path, "." when it has none.
std::string FolderOf(const std::string& path);

}  // namespace vum
