#include "common/ProgramFolder.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace vum {

namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool InSystemTree(const std::string& folder) {
    return folder.rfind("/usr/", 0) == 0 || folder.rfind("/opt/", 0) == 0;
}

// A folder whose permission bits allow nobody to write counts as read-only also for root,
// who could write there anyway: it is how an installed program's folder looks.
bool Writable(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace

std::string ProgramFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return "./";
    return WithSlash(exe.parent_path().string());
}

bool MakeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

std::string ChooseDataFolder(const std::string& programFolder, const std::string& appName) {
    const std::string beside = WithSlash(programFolder);
    if (!InSystemTree(beside) && Writable(beside)) return beside;

    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        base = std::string(home) + "/.local/share";
    } else {
        return NoDataFolder;
    }
    const std::string folder = WithSlash(base) + appName + "/";
    MakeFolders(folder);
    return folder;
}

std::string GameDataFolder(const std::string& appName) {
    return ChooseDataFolder(ProgramFolder(), appName);
}

}  // namespace vum
