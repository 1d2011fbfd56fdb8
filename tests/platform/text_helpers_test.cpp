#include "platform/text_helpers.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(EscapeControlBytes, ControlBytesAndWhatIsNoUtf8AreShownAndTheRestStays) {
    EXPECT_EQ(EscapeControlBytes(std::string("a\0b\r\n\t\x1b[2J\x7f", 11)),
              "a\\x00b\\x0d\\x0a\\x09\\x1b[2J\\x7f");
    EXPECT_EQ(EscapeControlBytes("C:\\board\\25 \xc2\xb0"
                                 "C \xc3\xa4 \xe2\x82\xac \xf0\x9f\x94\x8c"),
              "C:\\board\\25 \xc2\xb0"
              "C \xc3\xa4 \xe2\x82\xac \xf0\x9f\x94\x8c");
    // Latin-1, a C1 control character (CSI), overlong, surrogate and cut-off sequences.
    EXPECT_EQ(EscapeControlBytes("25 \xb0"
                                 "C"),
              "25 \\xb0C");
    EXPECT_EQ(EscapeControlBytes("\xc2\x9b"
                                 "2J"),
              "\\xc2\\x9b2J");
    EXPECT_EQ(EscapeControlBytes("\xc0\xaf \xed\xa0\x80 \xe2\x82"),
              "\\xc0\\xaf \\xed\\xa0\\x80 \\xe2\\x82");
    const std::string once = EscapeControlBytes("\x1b\xff");
    EXPECT_EQ(EscapeControlBytes(once), once);
}

} // namespace
} // namespace vek
