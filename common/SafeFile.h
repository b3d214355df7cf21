#pragma once
// Writing the games' files so that nothing a player earned is lost: a file is replaced
// whole (temporary file in the same folder, flushed, renamed over the old one), and a
// read-modify-write holds an advisory lock on the file's folder, so that two running
// copies of a game cannot lose each other's updates.
//
// Temporary files: where the file system allows, a temporary file is made unnamed
// (O_TMPFILE) and gets a name only for the instant before its rename; elsewhere it is
// named at once. Either way its writer holds an exclusive flock on it for as long as the
// name exists, so a temporary left by a writer that was killed is recognised (nobody
// holds its lock) and removed before the next write into the same folder. Their names
// are ".<file name>.vumtmp.XXXXXX" (six letters or digits).
//
// Only regular files are read or replaced: a FIFO, a device, a socket or a folder in a
// file's place is unreadable, and nothing is written through it. Symbolic links are
// followed as the kernel's fs.protected_symlinks rule lets the player follow them, whether
// or not the system has that rule switched on: in a sticky folder that everybody may write
// (/tmp, a shared games folder), a link is followed only when the player or the folder's
// owner made it, so a link that another user plants there never leads a read or a write
// to the player's own files.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vum {

// The first bytes of a file, at most limit of them, so that a huge file costs no more
// than its useful head. Missing: no file at the path (nor at the end of its links);
// Failed: a file that exists but cannot be read (permissions, a read error, anything but
// a regular file, a link that may not be followed). Never waits for a writer.
struct FileHead {
    enum Status { Read, Missing, Failed };
    Status status = Failed;
    std::string content;
    bool truncated = false;  // the file goes on past limit
};
FileHead ReadFileHead(const std::string& path, std::size_t limit);

bool FileExists(const std::string& path);

// True when the file exists and its permission bits forbid writing (the read-only
// attribute of the file, honoured also for root).
bool IsReadOnlyFile(const std::string& path);

// Replaces the file at path with content, atomically. On any failure (folder missing or
// not writable, disk full, a read-only file) the old file is left byte for byte as it was
// and false is returned. A new file gets mode 0644 less the umask; an existing one keeps
// its mode.
bool ReplaceFileAtomically(const std::string& path, std::string_view content);

// Creates the file with content only if no file exists at path: a file that appears
// meanwhile is never overwritten. False when nothing was created. The new file appears
// whole (a hard link, or a rename that refuses to replace), except on a file system that
// has neither (some FUSE file systems): there it is created in place with O_EXCL and
// written, and only readers that hold the FolderLock are sure to see it whole.
bool CreateFileAtomically(const std::string& path, std::string_view content);

// The path with every symbolic link in it followed, its folders' links as well as the
// file's own (a -> b -> c gives c), relative links taken from the folder of the link; an
// absolute path with no link in it. A name that does not exist ends the following: the
// rest of the path stands as it is. Empty when the links loop, are more than 40, or one of
// them may not be followed (see the top of this file).
std::string ResolveLinks(const std::string& path);

// Whether a file name (no folder) is one of our temporary files.
bool IsTemporaryName(std::string_view name);

// Removes the temporary files in the folder whose writers are gone (nobody holds their
// lock). Every write does this first; the number removed.
int RemoveStaleTemporaries(const std::string& folder);

// How long a lock that someone else holds is waited for before the work is given up
// (1.5 s: the games hold their locks for a few milliseconds). Tests shorten it.
std::chrono::milliseconds LockWaitLimit();
void SetLockWaitLimit(std::chrono::milliseconds limit);

// Exclusive advisory lock (flock) on the folder that holds path (at the end of its
// links), for the life of the object. A folder that cannot be opened, or a file system
// without locks, gives no lock; the work goes on without it. A lock that another process
// (or another FolderLock of this one) holds past LockWaitLimit() makes the folder Busy: the
// work is then given up as a failure, so that a hung or hostile lock holder costs a game no
// more than a refused write.
class FolderLock {
public:
    explicit FolderLock(const std::string& path);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Busy() const { return busy_; }

private:
    int fd_ = -1;
    bool busy_ = false;
};

// The folder part of a path, "." when it has none.
std::string FolderOf(const std::string& path);

}  // namespace vum
