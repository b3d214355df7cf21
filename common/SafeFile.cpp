#include "common/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace vum {

namespace {

constexpr int MaxLinks = 40;
constexpr std::string_view TemporaryMark = ".vumtmp.";
constexpr std::size_t TemporarySuffix = 6;

bool WriteAll(int fd, std::string_view content) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SyncFolder(const std::string& path) {
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

mode_t NewFileMode(const struct stat* old) {
    if (old != nullptr) return old->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0644 & ~mask;
}

std::atomic<long long> g_lockWaitMilliseconds{1500};

enum class LockResult { Locked, Busy, NoLocks };

// An exclusive flock on fd, waited for at most LockWaitLimit(). The games hold their locks
// for milliseconds, so a short poll costs nothing and cannot be kept waiting for good.
LockResult LockExclusive(int fd) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + LockWaitLimit();
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return LockResult::Locked;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return LockResult::NoLocks;
        if (Clock::now() >= deadline) return LockResult::Busy;
        const timespec pause{0, 10'000'000};
        ::nanosleep(&pause, nullptr);
    }
}

bool SameFile(int fd, const std::string& path) {
    struct stat byName {}, byHandle {};
    return ::stat(path.c_str(), &byName) == 0 && ::fstat(fd, &byHandle) == 0 &&
           byName.st_dev == byHandle.st_dev && byName.st_ino == byHandle.st_ino;
}

// The kernel's fs.protected_symlinks rule: in a sticky folder that everybody may write, a
// link is followed only by its owner or when the folder's owner made it. Root is held to
// it as well.
bool MayFollow(const struct stat& link, const struct stat& folder) {
    const bool shared = S_ISDIR(folder.st_mode) && (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

// A fresh temporary name beside target: ".<name>.vumtmp.XXXXXX".
std::string TemporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    unsigned long long seed = static_cast<unsigned long long>(now.tv_nsec) ^
                              (static_cast<unsigned long long>(::getpid()) << 32) ^
                              (static_cast<unsigned long long>(counter++) * 0x9E3779B97F4A7C15ull);
    std::string name = FolderOf(target) + "/." + BaseName(target) + std::string(TemporaryMark);
    for (std::size_t i = 0; i < TemporarySuffix; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        name += Letters[(seed >> 33) % (sizeof Letters - 1)];
    }
    return name;
}

// Gives the unnamed file open at fd the name path; an errno value, 0 on success.
int NameUnnamed(int fd, const std::string& path) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    const int error = errno;
    if (error != ENOENT) return error;
    // No /proc: the direct form, which needs privileges a player seldom has.
    return ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0 ? 0 : errno;
}

// A temporary file with the content, flushed to disk and locked by this process. Unnamed
// when the file system allows (name empty), else named beside the target.
struct Temporary {
    int fd = -1;
    std::string name;

    Temporary() = default;
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        if (!name.empty()) ::unlink(name.c_str());
        if (fd >= 0) ::close(fd);  // closing releases the lock
    }
    bool Valid() const { return fd >= 0; }
    // The name now belongs to the final file: nothing to remove.
    void Release() { name.clear(); }
};

bool Fill(Temporary& temporary, std::string_view content, mode_t mode) {
    return ::fchmod(temporary.fd, mode) == 0 && WriteAll(temporary.fd, content) && ::fsync(temporary.fd) == 0;
}

bool WriteUnnamed(Temporary& temporary, const std::string& target, std::string_view content, mode_t mode) {
#ifdef O_TMPFILE
    temporary.fd = ::open(FolderOf(target).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (temporary.fd < 0) return false;
    if (LockExclusive(temporary.fd) != LockResult::Busy && Fill(temporary, content, mode)) return true;
    ::close(temporary.fd);
    temporary.fd = -1;
#else
    (void)temporary, (void)target, (void)content, (void)mode;
#endif
    return false;
}

bool WriteNamed(Temporary& temporary, const std::string& target, std::string_view content, mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = TemporaryName(target);
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        // A cleaner may have taken the name between the creation and the lock: then the
        // name is gone or is another file, and we start again. Where the file system
        // has no locks, no cleaner can take it either, and the write goes on unlocked.
        // A lock that stays taken (a cleaner that hangs) ends the write.
        const LockResult locked = LockExclusive(fd);
        if (locked == LockResult::Busy) {
            ::close(fd);
            return false;
        }
        if (locked == LockResult::Locked && !SameFile(fd, name)) {
            ::close(fd);
            continue;
        }
        temporary.fd = fd;
        temporary.name = std::move(name);
        return Fill(temporary, content, mode);
    }
    return false;
}

// Gives an unnamed temporary a (temporary) name, for a rename.
bool NameTemporary(Temporary& temporary, const std::string& target) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = TemporaryName(target);
        const int error = NameUnnamed(temporary.fd, name);
        if (error == 0) {
            temporary.name = std::move(name);
            return true;
        }
        if (error != EEXIST) return false;
    }
    return false;
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string ResolveLinks(const std::string& path) {
    if (path.empty()) return {};
    std::string resolved = "/";
    if (path.front() != '/') {
        std::vector<char> here(4096);
        if (::getcwd(here.data(), here.size()) == nullptr) return {};
        resolved = here.data();
    }
    // The names still to walk, the next one last.
    std::vector<std::string> names;
    const auto push = [&names](const std::string& text) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t slash = std::min(text.find('/', start), text.size());
            if (slash > start) parts.push_back(text.substr(start, slash - start));
            start = slash + 1;
        }
        names.insert(names.end(), parts.rbegin(), parts.rend());
    };
    push(path);
    std::vector<char> buffer(4096);
    int links = 0;
    bool ended = false;  // a name that does not exist: the rest is taken as it stands
    while (!names.empty()) {
        const std::string name = std::move(names.back());
        names.pop_back();
        if (name == ".") continue;
        if (name == ".." && !ended) {
            resolved = FolderOf(resolved);
            continue;
        }
        const std::string next = resolved == "/" ? "/" + name : resolved + "/" + name;
        struct stat link {};
        if (!ended && ::lstat(next.c_str(), &link) != 0) ended = true;
        if (ended || !S_ISLNK(link.st_mode)) {
            resolved = next;
            continue;
        }
        struct stat folder {};
        if (++links > MaxLinks || ::stat(resolved.c_str(), &folder) != 0 || !MayFollow(link, folder)) return {};
        const ssize_t length = ::readlink(next.c_str(), buffer.data(), buffer.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return {};
        const std::string target(buffer.data(), static_cast<std::size_t>(length));
        if (target.front() == '/') resolved = "/";
        push(target);
    }
    return resolved;
}

FileHead ReadFileHead(const std::string& path, std::size_t limit) {
    FileHead head;
    const std::string target = ResolveLinks(path);
    if (target.empty()) return head;
    // Only a regular file is opened: opening a FIFO waits for a writer, and a device may do
    // something when opened. The target has no links left; one that appears meanwhile is
    // refused by O_NOFOLLOW, and a FIFO that replaces the file meanwhile is opened without
    // waiting and then refused.
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0) {
        head.status = errno == ENOENT ? FileHead::Missing : FileHead::Failed;
        return head;
    }
    if (!S_ISREG(info.st_mode)) return head;
    const int fd = ::open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        head.status = errno == ENOENT ? FileHead::Missing : FileHead::Failed;
        return head;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return head;
    }
    // One byte past the limit tells whether the file goes on.
    char buffer[8192];
    head.status = FileHead::Read;
    while (head.content.size() <= limit) {
        const std::size_t want = std::min(sizeof buffer, limit + 1 - head.content.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0) {
            if (errno == EINTR) continue;
            head.status = FileHead::Failed;
            head.content.clear();
            break;
        }
        if (got == 0) break;
        head.content.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (head.content.size() > limit) {
        head.content.resize(limit);
        head.truncated = true;
    }
    return head;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

bool IsTemporaryName(std::string_view name) {
    if (name.size() < 1 + 1 + TemporaryMark.size() + TemporarySuffix || name.front() != '.') return false;
    const std::size_t mark = name.size() - TemporarySuffix - TemporaryMark.size();
    if (name.substr(mark, TemporaryMark.size()) != TemporaryMark) return false;
    for (char c : name.substr(name.size() - TemporarySuffix))
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

int RemoveStaleTemporaries(const std::string& folder) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsTemporaryName(entry->d_name)) continue;
        const std::string path = folder + "/" + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {};
        // A writer that is alive holds the lock; only a file nobody holds is removed, and
        // only while the name still is that file.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            SameFile(fd, path) && ::unlink(path.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(listing);
    return removed;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view content) {
    const std::string target = ResolveLinks(path);
    if (target.empty() || IsReadOnlyFile(target)) return false;
    struct stat old {};
    const bool existed = ::lstat(target.c_str(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode)) return false;
    RemoveStaleTemporaries(FolderOf(target));

    const mode_t mode = NewFileMode(existed ? &old : nullptr);
    Temporary temporary;
    if (WriteUnnamed(temporary, target, content, mode)) {
        // The name lives only between these two calls, under our lock.
        if (!NameTemporary(temporary, target)) {
            ::close(temporary.fd);
            temporary.fd = -1;
        }
    }
    if (!temporary.Valid() && !WriteNamed(temporary, target, content, mode)) return false;
    if (::rename(temporary.name.c_str(), target.c_str()) != 0) return false;
    temporary.Release();
    SyncFolder(target);
    return true;
}

bool CreateFileAtomically(const std::string& path, std::string_view content) {
    const std::string target = ResolveLinks(path);
    if (target.empty()) return false;
    RemoveStaleTemporaries(FolderOf(target));
    const mode_t mode = NewFileMode(nullptr);

    // An unnamed file linked to the final name: linkat refuses an existing name.
    {
        Temporary temporary;
        if (WriteUnnamed(temporary, target, content, mode)) {
            const int error = NameUnnamed(temporary.fd, target);
            if (error == 0) {
                SyncFolder(target);
                return true;
            }
            if (error == EEXIST) return false;
        }
    }

    Temporary temporary;
    if (!WriteNamed(temporary, target, content, mode)) return false;
    if (::link(temporary.name.c_str(), target.c_str()) == 0) {
        SyncFolder(target);
        return true;
    }
    if (errno == EEXIST) return false;
    // No hard links here (FAT, exFAT): a rename that refuses to replace.
    if (::renameat2(AT_FDCWD, temporary.name.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        temporary.Release();
        SyncFolder(target);
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;

    // Neither: the final name made with O_EXCL and written in place.
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(target.c_str());
        return false;
    }
    SyncFolder(target);
    return true;
}

std::chrono::milliseconds LockWaitLimit() { return std::chrono::milliseconds(g_lockWaitMilliseconds.load()); }
void SetLockWaitLimit(std::chrono::milliseconds limit) { g_lockWaitMilliseconds = limit.count(); }

FolderLock::FolderLock(const std::string& path) {
    const std::string target = ResolveLinks(path);
    fd_ = ::open(FolderOf(target.empty() ? path : target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    const LockResult locked = LockExclusive(fd_);
    if (locked != LockResult::Locked) {
        busy_ = locked == LockResult::Busy;
        ::close(fd_);
        fd_ = -1;
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace vum
