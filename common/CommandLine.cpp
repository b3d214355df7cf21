#include "common/CommandLine.h"

#include <string>

#ifndef VUM_VERSION
#error "VUM_VERSION is set by the build from the project's version"
#endif

namespace vum {

std::string_view VumVersion() { return VUM_VERSION; }

StandardOption StandardOptionOf(std::string_view argument) {
    if (argument == "--help" || argument == "-h") return StandardOption::Help;
    if (argument == "--version") return StandardOption::Version;
    return StandardOption::None;
}

int AnswerStandardOption(StandardOption asked, const CommandLineText& text, std::FILE* out, std::FILE* err) {
    std::string answer;
    if (asked == StandardOption::Help) {
        answer.append(text.Usage).append("\n").append(text.Help);
    } else {
        answer.append(text.Program).append(" ").append(VumVersion()).append("\n");
    }
    const bool written = std::fputs(answer.c_str(), out) != EOF;
    if (!written || std::fflush(out) != 0 || std::ferror(out) != 0) {
        const std::string complaint = std::string(text.Program) + ": cannot write to standard output\n";
        std::fputs(complaint.c_str(), err);
        return 1;
    }
    return 0;
}

void PrintUsageError(std::FILE* err, const CommandLineText& text, std::string_view complaint) {
    std::string line;
    line.append(text.Program).append(": ").append(complaint).append(" (").append(text.Usage).append(")\n");
    std::fputs(line.c_str(), err);
}

std::optional<int> AnswerCommandLine(int argc, const char* const* argv, const CommandLineText& text,
                                     std::FILE* out, std::FILE* err) {
    if (argc <= 1) return std::nullopt;
    StandardOption asked = StandardOption::None;
    for (int i = 1; i < argc; ++i) {
        const StandardOption option = StandardOptionOf(argv[i]);
        if (option == StandardOption::None) {
            PrintUsageError(err, text, "unknown argument '" + std::string(argv[i]) + "'");
            return 2;
        }
        if (asked != StandardOption::Help) asked = option;
    }
    return AnswerStandardOption(asked, text, out, err);
}

}  // namespace vum
