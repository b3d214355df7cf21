#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "common/Cp1251.h"

using namespace vum;

namespace {

// glibc's own CP1251 table, as an independent reference.
std::string IconvToUtf8(unsigned char byte) {
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) return {};
    return std::string(out, static_cast<std::size_t>(outPtr - out));
}

}  // namespace

TEST(Cp1251, EveryByteMatchesTheSystemTableAndSurvivesARoundTrip) {
    for (int code = 0; code < 256; ++code) {
        const std::string byte(1, static_cast<char>(code));
        const std::string utf8 = Utf8FromCp1251(byte);
        if (code != 0x98) {  // the one code CP1251 leaves undefined
            const std::string reference = IconvToUtf8(static_cast<unsigned char>(code));
            ASSERT_FALSE(reference.empty()) << "no reference for " << code;
            EXPECT_EQ(utf8, reference) << "byte " << code;
        }
        EXPECT_EQ(Cp1251FromUtf8(utf8), byte) << "byte " << code;
    }
}

TEST(Cp1251, RussianTextBothWays) {
    const std::string cp = Cp1251FromUtf8("Ёлка, я и № 5");
    EXPECT_EQ(cp, std::string("\xA8\xEB\xEA\xE0, \xFF \xE8 \xB9 5"));
    EXPECT_EQ(Utf8FromCp1251(cp), "Ёлка, я и № 5");
}

TEST(Cp1251, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
    EXPECT_EQ(Cp1251FromUtf8("a€b"), std::string("a\x88") + "b");
    EXPECT_EQ(Cp1251FromUtf8("日本"), "??");
    EXPECT_EQ(Cp1251FromUtf8("😀x"), "?x");
    EXPECT_EQ(Cp1251FromUtf8("\xC3"), "?");            // cut sequence
    EXPECT_EQ(Cp1251FromUtf8("\xC0\x80z"), "?z");      // overlong NUL
    EXPECT_EQ(Cp1251FromUtf8("\xED\xA0\x80"), "?");    // surrogate
    EXPECT_EQ(Cp1251FromUtf8("\xFF\xFEok"), "??ok");
}
