#include "settings/Settings.h"
#include "settings/Startup.h"
#include "settings/ThemeFile.h"

#include "client_settings/TestFiles.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>

using client::Settings;
using client::ThemeValues;
using testfiles::CrLf;
using testfiles::ReadBytes;
using testfiles::WriteBytes;
namespace fs = std::filesystem;

namespace {

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

class StartupFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        client::AppSettings() = Settings{};
    }
    void TearDown() override { client::AppSettings() = Settings{}; }
    std::string folder() const { return dir.path().toStdString(); }
    std::string path(const std::string& name) const { return testfiles::Path(dir, name); }
    Settings readIniBack() const {
        Settings s;
        client::LoadIniFile(s, path("param.ini"));
        return s;
    }
    void writeUserFiles(bool withTheme) const {
        WriteBytes(path("param.ini"),
                   CrLf({"[Game Options]", "CPU speed=6", "[Sound]", "Sound mode=7", "CD directory=F",
                         "Game sound path=music.mp3", "[General]", "Theme file path=Wood Table.thm",
                         "Univers language=fr", "Do not ask parameters=0", "[Network Options]",
                         "Be server=1", "Server port=5000", "Surname=zoe"}));
        if (!withTheme) return;
        ThemeValues wood;
        wood.TableColor = 0x214365;
        wood.FontSize = 30;
        wood.BackgroundTexturePath = "themes/textures/wood_table.jpg";
        fs::create_directories(path("themes"));
        ASSERT_TRUE(client::WriteThemeFile(path("themes/Wood Table.thm"), wood));
    }
    QTemporaryDir dir;
};

TEST_F(StartupFiles, EmptyFolderGetsCompleteFilesWithTheDefaults) {
    const client::StartupFilesResult result = client::LoadStartupFiles(folder());
    EXPECT_TRUE(result.ThemeReset);
    EXPECT_TRUE(result.IniSaved);
    EXPECT_TRUE(result.ThemeSaved);

    Settings expected;
    client::SetProgramDir(expected, folder());
    client::Reset(expected);
    EXPECT_EQ(client::AppSettings(), expected);
    EXPECT_EQ(client::AppSettings().IniFilePath, path("param.ini"));
    EXPECT_EQ(fs::current_path(), fs::path(folder()));

    ASSERT_TRUE(fs::exists(path("param.ini")));
    Settings fromFile = readIniBack();
    EXPECT_EQ(fromFile.ServerPort, 2320);
    EXPECT_EQ(fromFile.BeServer, 0);
    EXPECT_EQ(fromFile.DoNotAskParameters, 1);
    EXPECT_EQ(fromFile.ThemeFilePath, "Standard Theme.thm");
    EXPECT_EQ(ReadBytes(path("themes/Standard Theme.thm")), join(client::ThemeFileLines(ThemeValues{})));
}

TEST_F(StartupFiles, GoodFilesAreReadAndWrittenBackChecked) {
    writeUserFiles(true);
    const client::StartupFilesResult result = client::LoadStartupFiles(folder());
    EXPECT_FALSE(result.ThemeReset);
    const Settings& s = client::AppSettings();
    EXPECT_EQ(s.ServerPort, 5000);
    EXPECT_EQ(s.BeServer, 1);
    EXPECT_EQ(s.Surname, "zoe");
    EXPECT_EQ(s.CpuDelayTicks, 15);
    EXPECT_EQ(s.SoundMode, 0);
    EXPECT_EQ(s.TableColor, 0x214365);
    EXPECT_EQ(s.FontSize, 16);
    EXPECT_EQ(s.BackgroundTexturePath, "themes/textures/wood_table.jpg");

    EXPECT_EQ(readIniBack().ServerPort, 5000);
    EXPECT_EQ(platform::IniFile(path("param.ini")).ReadInteger("Sound", "Sound mode", -1), 0);
    ThemeValues theme;
    ASSERT_TRUE(client::ReadThemeFile(path("themes/Wood Table.thm"), theme));
    EXPECT_EQ(theme, static_cast<const ThemeValues&>(s));
    EXPECT_FALSE(fs::exists(path("themes/Standard Theme.thm")));
}

TEST_F(StartupFiles, DeletedThemeFileResetsTheResetList) {
    writeUserFiles(false);
    const client::StartupFilesResult result = client::LoadStartupFiles(folder());
    EXPECT_TRUE(result.ThemeReset);

    for (const Settings& s : {client::AppSettings(), readIniBack()}) {
        EXPECT_EQ(s.ServerPort, 2320);
        EXPECT_EQ(s.BeServer, 0);
        EXPECT_EQ(s.DoNotAskParameters, 1);
        EXPECT_EQ(s.CpuSpeed, 3);
        EXPECT_EQ(s.Surname, "");
        EXPECT_EQ(s.ThemeFilePath, "Standard Theme.thm");
        // Not in the reset list.
        EXPECT_EQ(s.UniversLanguage, "fr");
        EXPECT_EQ(s.CdDirectory, 'F');
        EXPECT_EQ(s.GameSoundPath, "music.mp3");
    }
    EXPECT_EQ(client::AppSettings().CpuDelayTicks, 22);
    EXPECT_EQ(ReadBytes(path("themes/Standard Theme.thm")), join(client::ThemeFileLines(ThemeValues{})));
    EXPECT_FALSE(fs::exists(path("themes/Wood Table.thm")));
}

TEST_F(StartupFiles, ThemeThatBreaksLateKeepsTheTexturesItGaveButNotItsColours) {
    writeUserFiles(true);
    std::vector<std::string> lines = *platform::ReadLines(path("themes/Wood Table.thm"));
    lines[37] = "broken";
    ASSERT_TRUE(platform::WriteLinesAtomic(path("themes/Wood Table.thm"), lines));

    EXPECT_TRUE(client::LoadStartupFiles(folder()).ThemeReset);
    ThemeValues expected;
    expected.BackgroundTexturePath = "themes/textures/wood_table.jpg";
    EXPECT_EQ(static_cast<const ThemeValues&>(client::AppSettings()), expected);
    ThemeValues written;
    ASSERT_TRUE(client::ReadThemeFile(path("themes/Standard Theme.thm"), written));
    EXPECT_EQ(written, expected);
}

TEST_F(StartupFiles, ThemeNameOutsideTheThemesFolderIsTreatedAsBad) {
    WriteBytes(path("param.ini"), CrLf({"[General]", "Theme file path=../evil.thm"}));
    fs::create_directories(path("themes"));
    ASSERT_TRUE(client::WriteThemeFile(path("evil.thm"), ThemeValues{}));
    const std::string before = ReadBytes(path("evil.thm"));

    EXPECT_TRUE(client::LoadStartupFiles(folder()).ThemeReset);
    EXPECT_EQ(client::AppSettings().ThemeFilePath, "Standard Theme.thm");
    EXPECT_TRUE(fs::exists(path("themes/Standard Theme.thm")));
    EXPECT_EQ(ReadBytes(path("evil.thm")), before);
}

// The themes shipped beside the program read without a reset and name textures that exist.
TEST_F(StartupFiles, ShippedThemesLoadWithTheirTextures) {
    const fs::path shipped = fs::path(MORVATEL_SOURCE_DIR) / "data" / "themes";
    fs::copy(shipped, path("themes"), fs::copy_options::recursive);
    EXPECT_EQ(ReadBytes(path("themes/Standard Theme.thm")), join(client::ThemeFileLines(ThemeValues{})));

    int themes = 0;
    int textures = 0;
    for (const auto& entry : fs::directory_iterator(shipped)) {
        if (entry.path().extension() != ".thm") continue;
        ++themes;
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const std::string original = ReadBytes(entry.path().string());
        WriteBytes(path("param.ini"), CrLf({"[General]", "Theme file path=" + name}));
        client::AppSettings() = Settings{};
        ASSERT_FALSE(client::LoadStartupFiles(folder()).ThemeReset);
        EXPECT_EQ(ReadBytes(path("themes/" + name)), original) << "shipped file is in canonical form";
        const Settings& s = client::AppSettings();
        for (const std::string& texture :
             {s.BackgroundTexturePath, s.DominoesTexturePath, s.BackDominoesTexturePath}) {
            if (texture.empty()) continue;
            ++textures;
            EXPECT_EQ(texture.rfind("themes/textures/", 0), 0u) << texture;
            const std::string bytes = ReadBytes(path(texture));
            ASSERT_GE(bytes.size(), 3u) << texture;
            EXPECT_EQ(bytes.substr(0, 3), "\xFF\xD8\xFF") << texture << " is a JPEG file";
            EXPECT_LE(bytes.size(), 16u * 1024u) << texture;
        }
    }
    EXPECT_GE(themes, 3);
    EXPECT_GE(textures, 6);
}

} // namespace
