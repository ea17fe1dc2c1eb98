#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <fstream>
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

TEST(TextFile, AStrayTemporaryFileIsClearedAndNeverWrittenThrough) {
    TempFolder folder;
    // What an interrupted save leaves: a half temporary file.
    {
        std::ofstream stray("a.txt.tmp", std::ios::binary);
        stray << "half a fi";
    }
    ASSERT_TRUE(platform::WriteLinesAtomic("a.txt", {"whole"}));
    EXPECT_EQ(folder.read("a.txt"), "whole\r\n");
    EXPECT_FALSE(QFileInfo::exists("a.txt.tmp"));

    // A link planted under the temporary name: the file it points to stays as it was.
    {
        std::ofstream other("other.txt", std::ios::binary);
        other << "keep";
    }
    ASSERT_TRUE(QFile::link("other.txt", "b.txt.tmp"));
    ASSERT_TRUE(platform::WriteLinesAtomic("b.txt", {"new"}));
    EXPECT_EQ(folder.read("other.txt"), "keep");
    EXPECT_EQ(folder.read("b.txt"), "new\r\n");
    EXPECT_FALSE(QFileInfo::exists("b.txt.tmp"));
    EXPECT_FALSE(QFileInfo("b.txt").isSymLink());
}

TEST(TextFile, OneLineTextsLoseOnlyTheirLineEnds) {
    const std::pair<std::string, std::string> rows[] = {
        {"plain", "plain"},
        {" \t blanks \t ", " \t blanks \t "},
        {"a\r\nb", "ab"},
        {"\n", ""},
        {std::string("x\0y", 3), "xy"},
        {"\xe9\xff", "\xe9\xff"},
    };
    for (const auto& [text, line] : rows) {
        EXPECT_EQ(platform::OneLine(text), line);
        EXPECT_EQ(platform::IsOneLine(text), text == line);
    }
}

TEST(ProgramFolder, NamesFromOutsideStayInTheirFolder) {
    const std::pair<const char*, bool> rows[] = {
        {"standard player.vrk", true}, {"clip.wav", true},   {"", false},
        {"../x", false},               {"a/b", false},        {"a\\b", false},
        {"..", false},                 {"x..y", false},
        {"a\nb.thm", false},           {"a.thm\r", false},
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
