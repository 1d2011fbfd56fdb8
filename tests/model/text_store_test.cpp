#include "model/text_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vek {
namespace {

TEST(TextStore, TextsOfEveryLengthReadBackAsAddedWhileTheStoreGrows) {
    TextStore texts;
    EXPECT_TRUE(texts.Add("").IsEmpty());
    EXPECT_EQ(Text().View(), "");
    // Lengths around the one-byte length's end, and enough texts to take several blocks.
    std::vector<std::string> written;
    std::vector<Text> kept;
    for (std::size_t length : {1, 2, 254, 255, 256, 70000}) {
        for (int copy = 0; copy < 40; ++copy) {
            written.push_back(std::string(length, static_cast<char>('a' + copy % 26)));
            kept.push_back(texts.Add(written.back()));
        }
    }
    const std::string withZero("a\0b", 3);
    written.push_back(withZero);
    kept.push_back(texts.Add(withZero));
    for (std::size_t i = 0; i < kept.size(); ++i)
        ASSERT_EQ(std::string_view(kept[i]), written[i]) << "text " << i;
}

} // namespace
} // namespace vek
