#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "common/CommandLine.h"

using namespace vum;

namespace {

const CommandLineText Text{"VumTest", "usage: VumTest [--help | --version]", "A test program.\n"};

// Standard output and error of one answer, caught in temporary files.
struct Answer {
    std::optional<int> Status;
    std::string Out;
    std::string Err;
};

std::string Contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = 0; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

Answer Ask(std::initializer_list<const char*> given) {
    std::vector<const char*> arguments{"VumTest"};
    arguments.reserve(1 + given.size());
    for (const char* argument : given) arguments.push_back(argument);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Answer answer;
    answer.Status = AnswerCommandLine(static_cast<int>(arguments.size()), arguments.data(), Text, out, err);
    answer.Out = Contents(out);
    answer.Err = Contents(err);
    return answer;
}

}  // namespace

TEST(CommandLine, NoArgumentsLetTheProgramGoOnSilently) {
    const Answer answer = Ask({});
    EXPECT_FALSE(answer.Status.has_value());
    EXPECT_EQ(answer.Out, "");
    EXPECT_EQ(answer.Err, "");
}

TEST(CommandLine, HelpPrintsTheUsageLineAndTheTextOnStandardOutput) {
    for (const char* option : {"--help", "-h"}) {
        const Answer answer = Ask({option});
        EXPECT_EQ(answer.Status, 0) << option;
        EXPECT_EQ(answer.Out, "usage: VumTest [--help | --version]\nA test program.\n") << option;
        EXPECT_EQ(answer.Err, "") << option;
    }
}

TEST(CommandLine, VersionIsTheProgramAndTheBuildsVersion) {
    const Answer answer = Ask({"--version"});
    EXPECT_EQ(answer.Status, 0);
    EXPECT_EQ(answer.Out, "VumTest " + std::string(VumVersion()) + "\n");
    EXPECT_EQ(answer.Err, "");
    // The project's version: digits and dots, at least major.minor.
    const std::string version(VumVersion());
    ASSERT_NE(version.find('.'), std::string::npos) << version;
    EXPECT_EQ(version.find_first_not_of("0123456789."), std::string::npos) << version;
}

TEST(CommandLine, HelpWinsOverVersionInEitherOrder) {
    EXPECT_EQ(Ask({"--version", "--help"}).Out.rfind("usage: VumTest", 0), 0u);
    EXPECT_EQ(Ask({"--help", "--version"}).Out.rfind("usage: VumTest", 0), 0u);
}

TEST(CommandLine, AnythingElseGetsOneLineOfUsageOnStandardErrorAndStatusTwo) {
    for (const char* argument : {"--bogus", "-x", "file.txt", "", "--help=yes", "--HELP", "-help", "--", "-hh"}) {
        const Answer answer = Ask({argument});
        EXPECT_EQ(answer.Status, 2) << argument;
        EXPECT_EQ(answer.Out, "") << argument;
        EXPECT_EQ(answer.Err,
                  "VumTest: unknown argument '" + std::string(argument) + "' (usage: VumTest [--help | --version])\n");
    }
}

TEST(CommandLine, AnUnknownArgumentBesideAKnownOneStillFails) {
    for (const Answer& answer : {Ask({"--version", "extra"}), Ask({"extra", "--version"}), Ask({"--help", "-v"})}) {
        EXPECT_EQ(answer.Status, 2);
        EXPECT_EQ(answer.Out, "");
        EXPECT_EQ(std::count(answer.Err.begin(), answer.Err.end(), '\n'), 1) << answer.Err;
    }
}

TEST(CommandLine, TheFirstUnknownArgumentIsTheOneNamed) {
    EXPECT_EQ(Ask({"--help", "one", "two"}).Err, "VumTest: unknown argument 'one' (usage: VumTest [--help | --version])\n");
}

TEST(CommandLine, AnOutputThatCannotBeWrittenEndsWithStatusOne) {
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(AnswerStandardOption(StandardOption::Help, Text, full, err), 1);
    std::fclose(full);
    EXPECT_EQ(Contents(err), "VumTest: cannot write to standard output\n");
}

TEST(CommandLine, StandardOptionsAreRecognisedExactly) {
    EXPECT_EQ(StandardOptionOf("--help"), StandardOption::Help);
    EXPECT_EQ(StandardOptionOf("-h"), StandardOption::Help);
    EXPECT_EQ(StandardOptionOf("--version"), StandardOption::Version);
    for (const char* other : {"--level", "-V", "--versions", "--help ", "help", "version", ""}) {
        EXPECT_EQ(StandardOptionOf(other), StandardOption::None) << other;
    }
}
