#include "settings/Password.h"

#include <gtest/gtest.h>

using client::DecodePassword;
using client::EncodePassword;

namespace {

TEST(Password, EveryCharacterBecomesThreeDigits) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"abc", "134135136"},
        {std::string(1, '\0'), "037"},       // 0 + 37: two digits get a leading "0"
        {"\x3E", "099"},                      // 62 + 37
        {"\x3F", "100"},
        {"\xFF", "292"},
        {"A z", "102069159"},
    };
    for (const auto& [clear, stored] : cases) {
        EXPECT_EQ(EncodePassword(clear), stored);
        EXPECT_EQ(DecodePassword(stored), clear);
    }
}

TEST(Password, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
    const std::string stored = EncodePassword(all);
    EXPECT_EQ(stored.size(), 3u * 256u);
    EXPECT_EQ(stored.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_EQ(DecodePassword(stored), all);
}

TEST(Password, AGroupThatIsNotANumberGivesTheEmptyPassword) {
    for (const std::string bad : {"13a135136", "134135 36", "-12", "134+35", "134135\r", "abc",
                                  "134\x80"}) {
        EXPECT_EQ(DecodePassword(bad), "") << bad;
    }
}

TEST(Password, ShortLastGroupAndOutOfRangeNumbersWrapAround) {
    // The last group may be shorter than three digits; codes are taken modulo 256.
    EXPECT_EQ(DecodePassword("1341"), std::string("a") + static_cast<char>(1 - 37 + 256));
    EXPECT_EQ(DecodePassword("999"), std::string(1, static_cast<char>((999 - 37) % 256)));
    EXPECT_EQ(DecodePassword("000"), std::string(1, static_cast<char>(256 - 37)));
}

} // namespace
