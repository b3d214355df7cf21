// Helper of the soak test (tests/soak/soak.sh). It judges the record and settings files by
// their layouts, without the code that wrote them; the Sudoku's saved game and statistics and
// the squares' games in progress it reads with the engines' own readers, the one authority on
// those formats: a file the game wrote must read back.
//
//   soak_probe ping <window-id> <milliseconds>
//       Sends the window a _NET_WM_PING, as a window manager does, and waits for the
//       answer. The toolkit answers from the program's GUI thread while it runs its event
//       loop (also inside a modal dialog or a timed notice), so no answer means that the
//       thread is stuck. Exit 0: answered; 1: no answer in time from a window that is
//       still shown; 2: the window is gone or hidden, or no display.
//
//   soak_probe check sudoku|squares <folder> [<earlier folder>]
//       Checks the files a game keeps in its folder: the record files have their sizes
//       and decode to well-formed records (counters: digits then blanks; tables: a
//       number then blanks, scores best first), the settings files are INI text with the
//       keys in range, the Sudoku's saved game and statistics and the squares' games in
//       progress read back (each a game the play state takes back), and no temporary
//       file of the safe writer is left. With an earlier folder (a copy of the same files taken at an earlier check)
//       it also checks that no record was lost since: no counter went down, and no table
//       place holds a lower score than before. Prints one line per damaged file ("damaged:")
//       and per file that lost records ("lost:"); the exit status is their number. Files it
//       does not know are accepted.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dirent.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "squares/engine/SquaresSave.h"
#include "sudoku/engine/SudokuSave.h"
#include "sudoku/engine/SudokuStatistics.h"

namespace {

// ---- ping ---------------------------------------------------------------------------

// Windows come and go (a digit picker closes): an error about one is an answer, not a
// reason to stop.
bool g_xError = false;
int NoteError(Display*, XErrorEvent*) {
    g_xError = true;
    return 0;
}

// Whether the window still exists and is shown.
bool Viewable(Display* display, unsigned long window) {
    g_xError = false;
    XWindowAttributes attributes {};
    const Status status = XGetWindowAttributes(display, window, &attributes);
    XSync(display, False);
    return status != 0 && !g_xError && attributes.map_state == IsViewable;
}

int Ping(unsigned long window, int milliseconds) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 2;
    XSetErrorHandler(NoteError);
    const Window root = DefaultRootWindow(display);
    // The toolkit sends the answer to the root window for the structure-notify and
    // substructure-redirect masks; the first is the one a client other than the window
    // manager may select.
    XSelectInput(display, root, StructureNotifyMask);
    if (!Viewable(display, window)) return 2;

    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    const long token = static_cast<long>(std::chrono::steady_clock::now().time_since_epoch().count() & 0x7FFFFFFF);
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping);
    event.xclient.data.l[1] = token;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent reply;
            XNextEvent(display, &reply);
            if (reply.type == ClientMessage && reply.xclient.message_type == protocols &&
                static_cast<Atom>(reply.xclient.data.l[0]) == ping && reply.xclient.data.l[1] == token) {
                XCloseDisplay(display);
                return 0;
            }
        }
        pollfd fd {ConnectionNumber(display), POLLIN, 0};
        ::poll(&fd, 1, 50);
    }
    // A window closed meanwhile takes the question with it; only one still shown that
    // has not answered tells of a stuck thread.
    const int result = Viewable(display, window) ? 1 : 2;
    XCloseDisplay(display);
    return result;
}

// ---- check --------------------------------------------------------------------------

int g_damaged = 0;

void Damaged(const std::string& path, const std::string& why) {
    std::printf("damaged: %s: %s\n", path.c_str(), why.c_str());
    ++g_damaged;
}

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The characters of a record file: each cell is filler bytes and then the code plus 5.
std::string Decode(const std::string& bytes, int filler) {
    std::string text;
    for (std::size_t offset = static_cast<std::size_t>(filler); offset < bytes.size(); offset += filler + 1)
        text += static_cast<char>((static_cast<unsigned char>(bytes[offset]) - 5) & 0xFF);
    return text;
}

// A field of digits (an optional minus first) followed by blanks, or only blanks (a
// blank table entry, which reads as 0); its value.
bool NumberField(const std::string& field, bool sign, long long& value) {
    value = 0;
    const auto end = field.find_last_not_of(' ');
    if (end == std::string::npos) return true;
    const std::string number = field.substr(0, end + 1);
    std::size_t i = sign && number[0] == '-' ? 1 : 0;
    if (i == number.size()) return false;
    for (; i < number.size(); ++i) {
        if (number[i] < '0' || number[i] > '9') return false;
        value = value * 10 + (number[i] - '0');
    }
    if (number[0] == '-') value = -value;
    return true;
}

int g_lost = 0;

void Lost(const std::string& path, const std::string& why) {
    std::printf("lost: %s: %s\n", path.c_str(), why.c_str());
    ++g_lost;
}

// The three solved counters; empty when the file is missing or damaged (then reported).
std::vector<long long> CheckCounters(const std::string& path, bool report = true) {
    if (!Exists(path)) return {};
    const std::string bytes = ReadAll(path);
    if (bytes.size() != 630) {
        if (report) Damaged(path, "size " + std::to_string(bytes.size()) + ", not 630");
        return {};
    }
    const std::string text = Decode(bytes, 20);
    std::vector<long long> counters;
    for (int r = 0; r < 3; ++r) {
        long long value = 0;
        const std::string field = text.substr(static_cast<std::size_t>(r) * 10, 10);
        if (!NumberField(field, false, value) || field[0] == ' ') {
            if (report) Damaged(path, "counter " + std::to_string(r) + " reads '" + field + "'");
            return {};
        }
        counters.push_back(value);
    }
    return counters;
}

// The ten scores of a table, best first; empty when the file is missing or damaged.
std::vector<long long> CheckTable(const std::string& path, int level, bool report = true) {
    if (!Exists(path)) return {};
    const std::string bytes = ReadAll(path);
    const std::size_t size = static_cast<std::size_t>(4000 + 400 * level);
    const auto damaged = [&](const std::string& why) {
        if (report) Damaged(path, why);
        return std::vector<long long>{};
    };
    if (bytes.size() != size) return damaged("size " + std::to_string(bytes.size()) + ", not " + std::to_string(size));
    const std::string text = Decode(bytes, 9 + level);
    std::vector<long long> scores;
    for (int r = 0; r < 10; ++r) {
        long long score = 0;
        const std::string field = text.substr(static_cast<std::size_t>(r) * 40 + 30, 10);
        if (!NumberField(field, true, score)) return damaged("score " + std::to_string(r) + " reads '" + field + "'");
        if (r > 0 && score > scores.back()) return damaged("score " + std::to_string(r) + " ranks above a lower one");
        scores.push_back(score);
    }
    return scores;
}

// A record that was there at the earlier check and is gone: a counter lower than it was, or
// a table place with a lower score (a new score only ever pushes the lower ones down).
void CompareRecords(const std::string& path, const std::vector<long long>& now, const std::vector<long long>& earlier,
                    const char* what) {
    if (earlier.empty()) return;
    if (now.empty()) return Lost(path, "the records are gone");
    for (std::size_t i = 0; i < earlier.size() && i < now.size(); ++i)
        if (now[i] < earlier[i])
            return Lost(path, std::string(what) + " " + std::to_string(i) + " is " + std::to_string(now[i]) + ", was " +
                                  std::to_string(earlier[i]));
}

// The files of the game's own formats: the Sudoku's saved game and statistics, and the
// squares' games in progress, must read back with the engines' readers.
void CheckOwnFormats(const std::string& game, const std::string& folder) {
    if (game == "squares") {
        for (int level = 0; level < 3; ++level) {
            const std::string saved = folder + "/VumColor/" + vum::SavedRunName(level);
            if (!Exists(saved)) continue;
            const auto position = vum::ReadSavedRun(saved);
            if (!position) {
                Damaged(saved, "the game in progress does not read back");
            } else if (position->Level != level || !vum::SquaresGame().Restore(*position)) {
                Damaged(saved, "the game in progress is none a game can reach");
            }
        }
        return;
    }
    const std::string saved = folder + "/" + vum::SavedGameName;
    if (Exists(saved) && !vum::ReadSavedGame(saved)) Damaged(saved, "the saved game does not read back");
    const std::string statistics = folder + "/" + vum::StatisticsName;
    if (Exists(statistics) && !vum::SudokuStatistics::FromText(ReadAll(statistics)))
        Damaged(statistics, "the statistics do not read back");
}

// INI text: blank lines, comments, [section] headers and key=value lines. Returns the
// values by "section/key" (names in lower case).
std::map<std::string, std::string> CheckIni(const std::string& path) {
    std::map<std::string, std::string> values;
    if (!Exists(path)) return values;
    std::istringstream lines(ReadAll(path));
    std::string line, section;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            const auto close = line.find(']');
            if (close == std::string::npos) {
                Damaged(path, "line " + std::to_string(number) + " is an open section header");
                return values;
            }
            section = line.substr(1, close - 1);
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos || equals == 0) {
            Damaged(path, "line " + std::to_string(number) + " is neither a key nor a section");
            return values;
        }
        std::string name = section + "/" + line.substr(0, equals);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        values[name] = line.substr(equals + 1);
    }
    return values;
}

void CheckLevel(const std::string& path, const std::map<std::string, std::string>& values, const std::string& key) {
    const auto found = values.find(key);
    if (found == values.end()) return;
    if (found->second != "0" && found->second != "1" && found->second != "2")
        Damaged(path, key + " is '" + found->second + "'");
}

void CheckTemporaries(const std::string& folder) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        const auto mark = name.rfind(".vumtmp.");
        if (name[0] == '.' && mark != std::string::npos && mark > 0 && name.size() == mark + 8 + 6)
            Damaged(folder + "/" + name, "a temporary file left behind");
    }
    ::closedir(listing);
}

int Check(const std::string& game, const std::string& folder, const std::string& earlier) {
    if (game == "sudoku") {
        const std::string counters = "/VumSudoku.dat";
        const auto now = CheckCounters(folder + counters);
        if (!earlier.empty()) CompareRecords(folder + counters, now, CheckCounters(earlier + counters, false), "counter");
        const std::string ini = folder + "/VumSudoku.ini";
        CheckLevel(ini, CheckIni(ini), "difficult_level/number");
        CheckTemporaries(folder);
    } else if (game == "squares") {
        for (int level = 0; level < 3; ++level) {
            const std::string table = "/VumColor/VumColor" + std::to_string(level + 1) + ".dat";
            const auto now = CheckTable(folder + table, level);
            if (!earlier.empty()) CompareRecords(folder + table, now, CheckTable(earlier + table, level, false), "place");
        }
        const std::string ini = folder + "/VumColor/VumColor.ini";
        CheckLevel(ini, CheckIni(ini), "game/viduser");
        CheckTemporaries(folder);
        CheckTemporaries(folder + "/VumColor");
    } else {
        std::fprintf(stderr, "soak_probe: unknown game %s\n", game.c_str());
        return 100;
    }
    CheckOwnFormats(game, folder);
    return g_damaged + g_lost;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "ping") == 0)
        return Ping(std::strtoul(argv[2], nullptr, 0), std::atoi(argv[3]));
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "check") == 0)
        return Check(argv[2], argv[3], argc == 5 ? argv[4] : "");
    std::fprintf(stderr,
                 "usage: soak_probe ping <window> <ms> | soak_probe check sudoku|squares <folder> [<earlier folder>]\n");
    return 100;
}
