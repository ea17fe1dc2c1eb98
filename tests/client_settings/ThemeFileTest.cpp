#include "settings/Settings.h"
#include "settings/ThemeFile.h"
#include "platform/TextFile.h"

#include "client_settings/OddValues.h"
#include "client_settings/TestFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>

using client::ThemeValues;
using testfiles::CrLf;
using testfiles::ReadBytes;
using testfiles::WriteBytes;

namespace {

class ThemeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        client::AppSettings() = client::Settings{};
        client::SetProgramDir(dir.path().toStdString());
    }
    void TearDown() override { client::AppSettings() = client::Settings{}; }
    std::string path(const std::string& name = "test.thm") const { return testfiles::Path(dir, name); }
    QTemporaryDir dir;
};

ThemeValues unusualTheme() {
    ThemeValues t;
    t.TableColor = 0x214365;
    t.DominoesColor = 0xEBFAFF;
    t.DominoesDotsColor = 0x010203;
    t.DominoesBackColor = 0x19375A;
    t.DominoesBorderColor = 0x32648C;
    t.NormalTextColor = 0xAADCF0;
    t.LightedTextColor = 0x00C8FF;
    t.SelectedDominoColor = 0x0000FF;
    t.FontSize = 11;
    t.InfoTextColor = 0x111111;
    t.InfoBackColor = 0xAADCF1;
    t.BackgroundTexturePath = "themes/textures/wood table.jpg";
    t.DominoesTexturePath = "";
    t.BackDominoesTexturePath = "themes/textures/wood_back.jpg";
    t.BackDominoesBorder = 0x0F233C;
    return t;
}

// The 38 lines the writer makes for a theme; value lines sit at the odd indexes.
std::vector<std::string> themeLines(const ThemeValues& t) { return client::ThemeFileLines(t); }

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

TEST_F(ThemeFileTest, DefaultThemeFileHasThe38Lines) {
    ASSERT_TRUE(client::WriteThemeFile(path(), ThemeValues{}));
    EXPECT_EQ(ReadBytes(path()),
              CrLf({"[Table Color]", "21760", "[Dominoes Color]", "14548991", "[Dominoes Dots Color]", "0",
                    "[Dominoes Back Color]", "0", "[Dominoes Border Color]", "35466",
                    "[Normal Text Color]", "32768", "[Lighted Text Color]", "65280",
                    "[Selected Domino Color]", "33023", "[Font Size]", "8", "[Info Text Color]", "0",
                    "[Info Back Color]", "33023", "[Empty]", "", "[Empty]", "", "[Empty]", "",
                    "[Empty]", "", "[Background Texture Path]", "", "[Dominoes Texture Path]", "",
                    "[Back Dominoes Texture Path]", "", "[Back Dominoes Border]", "3947580"}));
}

TEST_F(ThemeFileTest, WrittenThemeReadsBackTheSame) {
    for (const ThemeValues& written : {ThemeValues{}, unusualTheme()}) {
        ASSERT_TRUE(client::WriteThemeFile(path(), written));
        ThemeValues read = unusualTheme();
        read.BackgroundTexturePath = "stale";
        ASSERT_TRUE(client::ReadThemeFile(path(), read));
        EXPECT_EQ(read, written);
    }
}

TEST_F(ThemeFileTest, HeadersAreNotComparedAndBackslashesBecomeSlashes) {
    std::vector<std::string> lines = themeLines(unusualTheme());
    for (std::size_t i = 0; i < lines.size(); i += 2) lines[i] = "[Couleur " + std::to_string(i) + "]";
    lines[31] = "themes\\textures\\wood table.jpg";
    WriteBytes(path(), join(lines));
    ThemeValues read;
    ASSERT_TRUE(client::ReadThemeFile(path(), read));
    EXPECT_EQ(read, unusualTheme());

    // LF line ends and a missing last line end are read the same way.
    std::string lf;
    for (const std::string& line : themeLines(unusualTheme())) lf += line + "\n";
    lf.pop_back();
    WriteBytes(path(), lf);
    ThemeValues fromLf;
    ASSERT_TRUE(client::ReadThemeFile(path(), fromLf));
    EXPECT_EQ(fromLf, unusualTheme());
}

TEST_F(ThemeFileTest, OddTexturePathsReadBackEqual) {
    const std::vector<std::string>& odd = OddOneLineTexts();
    for (std::size_t round = 0; round < odd.size(); ++round) {
        ThemeValues written = unusualTheme();
        written.BackgroundTexturePath = odd[round];
        written.DominoesTexturePath = odd[(round + 1) % odd.size()];
        written.BackDominoesTexturePath = odd[(round + 2) % odd.size()];
        ASSERT_TRUE(client::WriteThemeFile(path(), written));
        ThemeValues read;
        ASSERT_TRUE(client::ReadThemeFile(path(), read));
        EXPECT_EQ(read, written) << "round " << round;
    }
}

TEST_F(ThemeFileTest, ALineEndInATexturePathNeverShiftsTheLaterValues) {
    for (const std::string& broken : {std::string("a\nb.jpg"), std::string("a\r\nb.jpg"),
                                      std::string("a.jpg\r"), std::string("\n")}) {
        SCOPED_TRACE(broken);
        ThemeValues written = unusualTheme();
        written.DominoesTexturePath = broken;
        ASSERT_TRUE(client::WriteThemeFile(path(), written));
        EXPECT_EQ(platform::ReadLines(path())->size(), 38u);
        ThemeValues read;
        ASSERT_TRUE(client::ReadThemeFile(path(), read));
        written.DominoesTexturePath = client::StorableText(broken);
        EXPECT_EQ(read, written);
    }
}

TEST_F(ThemeFileTest, FontSizeIsClampedOnReading) {
    const std::vector<std::pair<int, int>> cases = {{20, 16}, {5, 8}, {-3, 8}, {8, 8}, {16, 16}, {12, 12}};
    for (const auto& [stored, expected] : cases) {
        ThemeValues t;
        t.FontSize = stored;
        ASSERT_TRUE(client::WriteThemeFile(path(), t));
        ThemeValues read;
        ASSERT_TRUE(client::ReadThemeFile(path(), read));
        EXPECT_EQ(read.FontSize, expected) << stored;
    }
}

TEST_F(ThemeFileTest, BadFilesFailAndKeepWhatWasReadBefore) {
    const std::vector<std::string> good = themeLines(unusualTheme());
    struct Case {
        std::string name;
        std::vector<std::string> lines;
        int tableColor;          // expected after the failed read
        std::string background;  // expected after the failed read
    };
    auto cut = [&](std::size_t n) { return std::vector<std::string>(good.begin(), good.begin() + n); };
    auto with = [&](std::size_t index, std::string value) {
        std::vector<std::string> lines = good;
        lines[index] = std::move(value);
        return lines;
    };
    const ThemeValues u = unusualTheme();
    const std::vector<Case> cases = {
        {"empty file", {}, 1, "start"},
        {"ends after the table colour", cut(2), u.TableColor, "start"},
        {"ends after line 37", cut(37), u.TableColor, u.BackgroundTexturePath},
        {"ends after line 33", cut(33), u.TableColor, u.BackgroundTexturePath},
        {"colour is text", with(3, "white"), u.TableColor, "start"},
        {"colour line empty", with(1, ""), 1, "start"},
        {"font size is decimal", with(17, "9.5"), u.TableColor, "start"},
        {"border has trailing text", with(37, "12 px"), u.TableColor, u.BackgroundTexturePath},
        {"colour is out of range", with(1, "4294967295"), 1, "start"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path(), join(c.lines));
        ThemeValues read;
        read.TableColor = 1;
        read.BackgroundTexturePath = "start";
        read.BackDominoesTexturePath = "start";
        EXPECT_FALSE(client::ReadThemeFile(path(), read));
        EXPECT_EQ(read.TableColor, c.tableColor);
        EXPECT_EQ(read.BackgroundTexturePath, c.background);
    }
    std::filesystem::create_directory(path("folder.thm"));
    for (const std::string name : {"missing.thm", "folder.thm"}) {
        ThemeValues untouched;
        EXPECT_FALSE(client::ReadThemeFile(path(name), untouched)) << name;
        EXPECT_EQ(untouched, ThemeValues{});
    }
}

TEST_F(ThemeFileTest, SaveThmFileWritesTheCurrentThemeIntoTheThemesFolder) {
    client::Settings& s = client::AppSettings();
    static_cast<ThemeValues&>(s) = unusualTheme();
    s.ThemeFilePath = "My Theme.thm";
    ASSERT_TRUE(client::SaveThmFile()); // creates "themes"
    EXPECT_EQ(client::CurrentThemeFile(), path("themes/My Theme.thm"));
    EXPECT_EQ(ReadBytes(path("themes/My Theme.thm")), join(themeLines(unusualTheme())));

    static_cast<ThemeValues&>(s) = ThemeValues{};
    ASSERT_TRUE(client::LoadThmFile());
    EXPECT_EQ(static_cast<const ThemeValues&>(s), unusualTheme());
}

TEST_F(ThemeFileTest, ThemeNameNeverLeavesTheThemesFolder) {
    client::Settings& s = client::AppSettings();
    std::filesystem::create_directories(path("themes"));
    ASSERT_TRUE(client::WriteThemeFile(path("outside.thm"), unusualTheme()));
    for (const std::string name : {"../outside.thm", "sub/x.thm", "..\\outside.thm", ""}) {
        SCOPED_TRACE(name);
        s.ThemeFilePath = name;
        EXPECT_FALSE(client::SaveThmFile());
        EXPECT_FALSE(client::LoadThmFile());
    }
    EXPECT_EQ(static_cast<const ThemeValues&>(s), ThemeValues{});
    EXPECT_EQ(ReadBytes(path("outside.thm")), join(themeLines(unusualTheme())));
}

TEST(ThemeDefaults, ResetLeavesTexturesAlone) {
    ThemeValues t = unusualTheme();
    client::ResetThemeDefaults(t);
    ThemeValues expected;
    expected.BackgroundTexturePath = unusualTheme().BackgroundTexturePath;
    expected.BackDominoesTexturePath = unusualTheme().BackDominoesTexturePath;
    EXPECT_EQ(t, expected);
}

} // namespace
