#include "gui/SingleCopy.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "common/SafeFile.h"
#include "gui/WindowSystem.h"

namespace vum {

namespace {

// How long a later copy waits for the holder's answer: a busy holder (a puzzle being made)
// answers in well under a second.
constexpr std::chrono::seconds AnswerWait{3};

// The answers on the socket, one byte.
constexpr char Raised = 'r';
constexpr char CannotRaise = 'n';

bool Regular(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// The lock file, opened without following a link at its place and only if it is a regular
// file; -1 where it cannot be had.
int OpenLockFile(const std::string& path) {
    const std::string target = ResolveLinks(path);
    if (target.empty()) return -1;
    constexpr int Flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(target.c_str(), O_RDWR | O_CREAT | Flags, 0644);
    // Another user's lock file in a shared folder: reading is enough for a lock.
    if (fd < 0 && errno == EACCES) fd = ::open(target.c_str(), O_RDONLY | Flags);
    if (fd >= 0 && !Regular(fd)) {
        ::close(fd);
        fd = -1;
    }
    return fd;
}

// The abstract socket name of the copy that holds the lock file open at fd.
std::string AddressFor(int fd, const std::string& program) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return {};
    return "vum/" + program + "/" + std::to_string(::geteuid()) + "/" + std::to_string(info.st_dev) + ":" +
           std::to_string(info.st_ino);
}

bool Fill(sockaddr_un& address, socklen_t& length, const std::string& name) {
    address = {};
    address.sun_family = AF_UNIX;
    if (name.empty() || name.size() + 1 > sizeof address.sun_path) return false;
    std::memcpy(address.sun_path + 1, name.data(), name.size());  // sun_path[0] = 0: abstract
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return true;
}

// Only the player's own processes are spoken with.
bool SameUser(int socket) {
    ucred peer {};
    socklen_t length = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::geteuid();
}

// Asks the copy at name to come to the front: its answer, or 0 when it gave none (it
// ended meanwhile, or it is not listening yet), or -1 when the time ran out.
int Ask(const std::string& name, std::chrono::steady_clock::time_point deadline) {
    sockaddr_un address {};
    socklen_t length = 0;
    if (!Fill(address, length, name)) return 0;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0) return 0;
    int answer = 0;
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), length) == 0 && SameUser(socket)) {
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                answer = -1;
                break;
            }
            pollfd ready {socket, POLLIN, 0};
            const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
            if (polled < 0 && errno == EINTR) continue;
            char byte = 0;
            if (polled > 0 && ::read(socket, &byte, 1) == 1) answer = static_cast<unsigned char>(byte);
            break;
        }
    }
    ::close(socket);
    return answer;
}

// Brings the program's shown windows to the front, a modal dialog over them last; false
// where the window system does not let a program do so (Wayland) or nothing is shown.
bool BringWindowsToFront() {
    QWidgetList windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowType() == Qt::Window) windows.push_back(widget);
    if (QWidget* modal = QApplication::activeModalWidget()) windows.push_back(modal);
    for (QWidget* window : windows) {
        if (window->isMinimized()) window->showNormal();
        window->raise();
        window->activateWindow();
    }
    return !windows.empty() && CurrentWindowSystem() != WindowSystem::Wayland;
}

void Say(const std::string& program, const std::string& text) {
    const std::string line = program + ": " + text + "\n";
    std::fputs(line.c_str(), stderr);
}

}  // namespace

SingleCopy::SingleCopy(const std::string& dataFolder, const std::string& program) {
    const int fd = OpenLockFile(dataFolder + program + ".lock");
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lock_ = fd;
        address_ = AddressFor(fd, program);
        return;
    }
    const bool taken = errno == EWOULDBLOCK;
    ::close(fd);
    if (taken) HandOver(dataFolder, program);
}

SingleCopy::~SingleCopy() {
    delete notifier_;
    if (listener_ >= 0) ::close(listener_);
    if (lock_ >= 0) ::close(lock_);  // closing releases the lock
}

void SingleCopy::HandOver(const std::string& dataFolder, const std::string& program) {
    const auto deadline = std::chrono::steady_clock::now() + AnswerWait;
    for (;;) {
        // The holder may end meanwhile (it was closing): then this copy is the first.
        const int fd = OpenLockFile(dataFolder + program + ".lock");
        if (fd < 0) return;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            lock_ = fd;
            address_ = AddressFor(fd, program);
            return;
        }
        const int answer = Ask(AddressFor(fd, program), deadline);
        ::close(fd);
        if (answer == Raised) {
            endStatus_ = 0;
            return;
        }
        if (answer == CannotRaise) {
            Say(program, "already running with the files in " + dataFolder +
                             "; this desktop does not let its window come to the front by itself, so this copy ends");
            endStatus_ = 0;
            return;
        }
        if (answer < 0 || std::chrono::steady_clock::now() >= deadline) break;
        const timespec pause{0, 50'000'000};
        ::nanosleep(&pause, nullptr);
    }
    Say(program, "another copy that plays with the files in " + dataFolder +
                     " does not answer; this copy ends without touching them");
    endStatus_ = 1;
}

void SingleCopy::AnswerLaterCopies() {
    sockaddr_un address {};
    socklen_t length = 0;
    if (lock_ < 0 || listener_ >= 0 || !Fill(address, length, address_)) return;
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0) return;
    // A name that someone else already took leaves later copies without an answer: they
    // end after their wait all the same, and nothing is lost.
    if (::bind(listener_, reinterpret_cast<const sockaddr*>(&address), length) != 0 || ::listen(listener_, 8) != 0) {
        ::close(listener_);
        listener_ = -1;
        return;
    }
    notifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read);
    QObject::connect(notifier_, &QSocketNotifier::activated, [this] { AnswerOne(); });
}

void SingleCopy::AnswerOne() {
    for (;;) {
        const int socket = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) return;
        if (SameUser(socket)) {
            const char answer = BringWindowsToFront() ? Raised : CannotRaise;
            // One byte into an empty socket buffer never blocks; a copy that is gone
            // meanwhile must not end this one with SIGPIPE.
            [[maybe_unused]] const ssize_t sent = ::send(socket, &answer, 1, MSG_NOSIGNAL);
        }
        ::close(socket);
    }
}

}  // namespace vum
