#include "FileFaults.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <new>

namespace {

faults::Settings g_settings;
std::atomic<std::size_t> g_allocationLimit{std::numeric_limits<std::size_t>::max()};

void* Allocate(std::size_t size) {
    if (size > g_allocationLimit.load(std::memory_order_relaxed)) return nullptr;
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

// The interposed system calls: the test program's own definitions take the place of the
// C library's for the code linked into it.
extern "C" {

int link(const char* from, const char* to) {
    if (g_settings.noHardLinks) {
        errno = EPERM;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_linkat, AT_FDCWD, from, AT_FDCWD, to, 0));
}

int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) {
    if (g_settings.noHardLinks) {
        errno = EPERM;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_linkat, fromFolder, from, toFolder, to, flags));
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) {
    if (g_settings.noRenameNoReplace && flags != 0) {
        errno = EINVAL;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_renameat2, fromFolder, from, toFolder, to, flags));
}

int rename(const char* from, const char* to) {
    if (g_settings.dieBeforeRename) ::kill(::getpid(), SIGKILL);
    return static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0));
}

int fsync(int fd) {
    struct stat info {};
    if (g_settings.dieAfterFlush && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) ::kill(::getpid(), SIGKILL);
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

}  // extern "C"

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace faults {

FaultScope::FaultScope(const Settings& settings) { g_settings = settings; }
FaultScope::~FaultScope() { g_settings = Settings{}; }

AllocationLimit::AllocationLimit(std::size_t limit) { g_allocationLimit = limit; }
AllocationLimit::~AllocationLimit() { g_allocationLimit = std::numeric_limits<std::size_t>::max(); }

bool RunAsPlayer(const std::string& folder, const std::function<bool()>& body) {
    constexpr uid_t Nobody = 65534;
    if (::geteuid() == 0) {
        std::error_code ignored;
        if (::chown(folder.c_str(), Nobody, Nobody) != 0) return false;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored))
            if (::lchown(entry.path().c_str(), Nobody, Nobody) != 0) return false;
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            ::_exit(3);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool RunUntilKilled(const std::function<void()>& body) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

bool FinishesWithin(int milliseconds, const std::function<bool()>& body) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) ::_exit(body() ? 0 : 1);
    int status = 0;
    for (int waited = 0; ::waitpid(child, &status, WNOHANG) == 0; waited += 10) {
        if (waited >= milliseconds) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return false;
        }
        ::usleep(10000);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace faults
