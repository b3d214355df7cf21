#pragma once
// Where a game keeps its files: beside the program, or, when the program's folder
// cannot be written (an installed game), in the player's own data folder.

#include <string>

namespace vum {

// The folder of the running executable, ending in '/'.
std::string ProgramFolder();

// A folder in which nothing can be read or written, for a game that has nowhere to keep
// its files: every path under it fails (ENOTDIR), for root as well, so the game runs with
// its defaults and writes nothing.
inline const std::string NoDataFolder = "/dev/null/";

// The folder in which the game keeps its files, ending in '/': programFolder when it is
// writable and not part of the system's installed tree (/usr, /opt), otherwise
// $XDG_DATA_HOME/<appName>/ (by default ~/.local/share/<appName>/), created if missing.
// With neither XDG_DATA_HOME nor HOME set, NoDataFolder: an installed program's folder is
// never written, not even by root, who could.
std::string ChooseDataFolder(const std::string& programFolder, const std::string& appName);

// ChooseDataFolder(ProgramFolder(), appName).
std::string GameDataFolder(const std::string& appName);

// Creates a folder and any missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

}  // namespace vum
