#pragma once
// One running copy of a game per data folder, as single-window games do on the desktop: a
// copy started while another one plays on the same files brings that one's window to the
// front and ends, so that the two never write over each other's unfinished game.
//
// The first copy holds an advisory lock (flock) on "<program>.lock" in the data folder for
// its whole life and answers on a local socket of the user's own (an abstract name made of
// the program, the user and the lock file). A copy that was killed holds nothing: the system
// releases its lock with its last file descriptor. A later copy that finds the lock taken
// asks the holder to bring its windows to the front and ends; it waits for the answer a few
// seconds at most, so that a copy that is stopped or hung stops nobody. Where the lock
// cannot be had at all (no folder, a file system without locks) the game runs as before.

#include <optional>
#include <string>

class QSocketNotifier;

namespace vum {

class SingleCopy {
public:
    // Takes the lock on dataFolder (ending in '/') for program ("VumSudoku"), or, where another
    // copy holds it, hands over to that copy. Needs no application object.
    SingleCopy(const std::string& dataFolder, const std::string& program);
    ~SingleCopy();
    SingleCopy(const SingleCopy&) = delete;
    SingleCopy& operator=(const SingleCopy&) = delete;

    // Where another copy holds the folder: the status this copy is to end with (0 once that
    // copy has been asked to come to the front, 1 when it did not answer), after one line on
    // standard error where it could not come to the front. Nothing where this copy goes on.
    std::optional<int> EndStatus() const { return endStatus_; }

    // From now on (the application object made), a later copy's request brings this
    // program's windows to the front.
    void AnswerLaterCopies();

private:
    void HandOver(const std::string& dataFolder, const std::string& program);
    void AnswerOne();

    int lock_ = -1;
    int listener_ = -1;
    std::string address_;
    QSocketNotifier* notifier_ = nullptr;
    std::optional<int> endStatus_;
};

}  // namespace vum
