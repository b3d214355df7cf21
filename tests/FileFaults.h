#pragma once
// Faults that the file tests switch on: the system calls the file code uses are
// interposed here for the whole test program, and do their real work unless a test asks
// for a failure. Also a cap on allocations, and a run without root's privileges.

#include <cstddef>
#include <functional>
#include <string>

namespace faults {

// What the interposed calls do while a FaultScope is alive.
struct Settings {
    bool noHardLinks = false;       // link() and linkat() fail with EPERM, as on FAT
    bool noRenameNoReplace = false; // renameat2() fails with EINVAL
    bool dieBeforeRename = false;   // rename() kills the process (SIGKILL)
    bool dieAfterFlush = false;     // fsync() of a regular file kills the process
};

class FaultScope {
public:
    explicit FaultScope(const Settings& settings);
    ~FaultScope();
    FaultScope(const FaultScope&) = delete;
    FaultScope& operator=(const FaultScope&) = delete;
};

// Every allocation through operator new larger than limit bytes throws std::bad_alloc
// while the object lives (0: every allocation fails).
class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t limit);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};

// Runs body in a child process and returns what it returned. When the tests run as root
// the child first becomes the user nobody, and folder (with what is in it) is handed to
// that user, so that permission bits mean what they mean for a player.
bool RunAsPlayer(const std::string& folder, const std::function<bool()>& body);

// Runs body in a child process that the faults may kill; true when the child was killed.
bool RunUntilKilled(const std::function<void()>& body);

// Runs body in a child process and returns what it returned, or false when it has not
// returned within milliseconds (the child is then killed): a call that would hang fails
// the test instead of stopping it.
bool FinishesWithin(int milliseconds, const std::function<bool()>& body);

}  // namespace faults
