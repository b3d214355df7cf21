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

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vum {

// The first bytes of a file, at most limit of them, so that a huge file costs no more
// than its useful head. Missing: no file at the path (nor at the end of its links);
// Failed: a file that exists but cannot be read (permissions, a read error, a folder).
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

// The end of a chain of symbolic links (a -> b -> c gives c), relative links taken from
// the folder of the link; a path that is no link comes back as it is. Empty when the
// chain loops or is longer than 40 links.
std::string ResolveLinks(const std::string& path);

// Whether a file name (no folder) is one of our temporary files.
bool IsTemporaryName(std::string_view name);

// Removes the temporary files in the folder whose writers are gone (nobody holds their
// lock). Every write does this first; the number removed.
int RemoveStaleTemporaries(const std::string& folder);

// Exclusive advisory lock (flock) on the folder that holds path (at the end of its
// links), for the life of the object. A folder that cannot be opened gives no lock; the
// work goes on without it. Not re-entrant: a second FolderLock on the same folder in the
// same process waits for the first.
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
