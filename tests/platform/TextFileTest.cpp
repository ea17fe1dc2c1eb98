#include <gtest/gtest.h>

#include <set>

#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

TEST(TextFile, SplitsOnCrLfAndLf) {
    struct Row {
        std::string text;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\n", {"a", "", "b"}},
        {"\xe9t\xe9\r\n", {"\xe9t\xe9"}},  // 8-bit text passes unchanged
        {"x\ry\n", {"x\ry"}},             // a lone CR is not a line end
    };
    for (const Row& r : rows) EXPECT_EQ(platform::SplitLines(r.text), r.lines) << r.text;
}

TEST(TextFile, WritesCrLfAndNeverLeavesAHalfFile) {
    TempFolder folder;
    ASSERT_TRUE(platform::WriteLinesAtomic("f.txt", {"one", "", "three"}));
    EXPECT_EQ(folder.read("f.txt"), "one\r\n\r\nthree\r\n");
    EXPECT_EQ(*platform::ReadLines("f.txt"), (std::vector<std::string>{"one", "", "three"}));
    EXPECT_FALSE(platform::ReadLines("missing.txt").has_value());
    QDir().mkpath(QString::fromStdString(folder.path() + "/a-folder"));
    EXPECT_FALSE(platform::ReadLines("a-folder").has_value());
    // A target that cannot be replaced (a folder of that name) keeps what was there.
    QDir().mkpath(QString::fromStdString(folder.path() + "/taken"));
    EXPECT_FALSE(platform::WriteLinesAtomic("taken", {"x"}));
    EXPECT_FALSE(platform::FileExists("taken.tmp"));
    EXPECT_FALSE(platform::WriteLinesAtomic("no/such/folder.txt", {"x"}));
}

TEST(ProgramFolder, NamesFromOutsideStayInTheirFolder) {
    const std::pair<const char*, bool> rows[] = {
        {"standard player.vrk", true}, {"clip.wav", true},   {"", false},
        {"../x", false},               {"a/b", false},        {"a\\b", false},
        {"..", false},                 {"x..y", false},
    };
    for (auto [name, safe] : rows) EXPECT_EQ(platform::IsSafeFileName(name), safe) << name;
}

TEST(Random, FixedSeedIsRepeatableAndStaysInRange) {
    platform::SetFixedSeed(99);
    std::vector<int> first;
    for (int i = 0; i < 50; ++i) {
        platform::Randomize();  // keeps the fixed stream
        first.push_back(platform::RandomInt(27));
    }
    platform::SetFixedSeed(99);
    std::set<int> seen;
    for (int i = 0; i < 50; ++i) {
        platform::Randomize();
        const int v = platform::RandomInt(27);
        EXPECT_EQ(v, first[i]);
        seen.insert(v);
    }
    EXPECT_GE(*seen.begin(), 0);
    EXPECT_LE(*seen.rbegin(), 26);
    EXPECT_EQ(platform::RandomInt(0), 0);
    platform::ClearFixedSeed();
}
