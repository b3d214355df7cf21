#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "common/Wastring.h"

using namespace vum;

TEST(WString, PadsOnTheRightAndNeverCuts) {
    const WString padding;
    EXPECT_EQ(padding.PadRight("", 10), std::string(10, ' '));
    EXPECT_EQ(padding.PadRight("abc", 5), "abc  ");
    EXPECT_EQ(padding.PadRight("abcde", 5), "abcde");
    EXPECT_EQ(padding.PadRight(std::string(35, 'x'), 30).size(), 35u);
    EXPECT_EQ(padding.PadRight("abc", 0), "abc");
    EXPECT_EQ(padding.PadRight("abc", -4), "abc");
    // A length is a byte count: one CP1251 byte per Russian letter.
    EXPECT_EQ(padding.PadRight(Cp1251FromUtf8("Ян"), 4), Cp1251FromUtf8("Ян  "));
    EXPECT_EQ(padding.ClassCaption, Cp1251FromUtf8("Класс WString"));
}
