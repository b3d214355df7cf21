#pragma once
// The command line of the games and the generator: --help and --version are answered on
// standard output before anything else starts (no window, no display, no file touched);
// anything the program does not know gets one line of usage on standard error and status 2.

#include <cstdio>
#include <optional>
#include <string_view>

namespace vum {

// The version of the games and tools, as the build sets it ("1.0").
std::string_view VumVersion();

enum class StandardOption { None, Help, Version };

// "--help" or "-h": Help; "--version": Version; anything else: None.
StandardOption StandardOptionOf(std::string_view argument);

// What a program says about its command line.
struct CommandLineText {
    std::string_view Program;  // the name in messages: "VumSudoku"
    std::string_view Usage;    // one line: "usage: VumSudoku [--help | --version]"
    std::string_view Help;     // printed after the usage line by --help, ending in a newline
};

// Prints the help (the usage line, then the help text) or the version ("VumSudoku 1.0") on
// out. Returns the exit status: 0, or 1 with a line on err when out cannot be written.
int AnswerStandardOption(StandardOption asked, const CommandLineText& text, std::FILE* out, std::FILE* err);

// Prints "<program>: <complaint> (<usage>)" as one line on err.
void PrintUsageError(std::FILE* err, const CommandLineText& text, std::string_view complaint);

// For a program whose only options are --help and --version. No arguments: nullopt, and the
// program goes on. Otherwise the exit status after the answer: help or version on out (help
// when both are asked), or status 2 and one line on err for the first argument it does not know.
std::optional<int> AnswerCommandLine(int argc, const char* const* argv, const CommandLineText& text,
                                     std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace vum
