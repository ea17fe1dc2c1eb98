#include "settings/Settings.h"

#include "client_settings/OddValues.h"
#include "client_settings/TestFiles.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using client::Settings;
using testfiles::CrLf;
using testfiles::ReadBytes;
using testfiles::WriteBytes;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::string ini() const { return testfiles::Path(dir, "param.ini"); }
    Settings load(const std::string& bytes) const {
        WriteBytes(ini(), bytes);
        Settings s;
        client::LoadIniFile(s, ini());
        return s;
    }
    QTemporaryDir dir;
};

// Values that differ from both default columns, so a key read or written under the wrong
// name or into the wrong field shows up.
Settings unusualSettings() {
    Settings s;
    s.CpuSpeed = 9;
    s.ApplyTactic = false;
    s.LeftPlayerFile = "left one.vrk";
    s.MeFile = "me.vrk";
    s.RightPlayerFile = "right one.vrk";
    s.CameraPositionX = 12.5;
    s.CameraPositionY = -612.25;
    s.CameraPositionZ = -1999.0625;
    s.CameraAngleX = -0.1234567890123456;
    s.CameraAngleY = 2.718281828459045;
    s.DisplayInformation = false;
    s.PutSound = false;
    s.BeginningSoundPath = "sounds/start.wav";
    s.SoundMode = 2;
    s.CdDirectory = 'E';
    s.GameSoundPath = "music/game.mp3";
    s.DisplaySoundForm = true;
    s.ThemeFilePath = "Wood Table.thm";
    s.LngFilePath = "morvatel30_francais.lng";
    s.CheckNewVersion = 0;
    s.DoNotAskParameters = 2;
    s.UniversLanguage = "fr";
    s.PlayWithCpu = 0;
    s.Surname = "Zo\xE9";
    s.NetPassword = "p\xE4ss w0rd";
    s.BeServer = 3;
    s.IsProxy = true;
    s.ProxyAddress = "proxy.local";
    s.ProxyPort = 3128;
    s.ServerPort = 4567;
    s.IsSocksProxy = true;
    s.ProxySocksAddress = "socks.local";
    s.ProxySocksPort = 1081;
    s.IsAuthentificationSocks = true;
    s.ProxySocksLogin = "user";
    s.ProxySocksPassword = "clear text";
    s.CpuDelayTicks = client::ComputeCpuDelayTicks(s.CpuSpeed);
    return s;
}

const std::string DefaultFile = CrLf({
    "[Game Options]", "CPU speed=3", "Apply tactic=1", "Left player file=standard player.vrk",
    "Me file=standard player.vrk", "Right player file=standard player.vrk", "",
    "[3D View]", "Camera postion x=0", "Camera postion y=-800", "Camera postion z=-2200",
    "Camera angle X=-0.5235987755982989", "Camera angle Y=-3.141592653589793", "",
    "[Sound]", "Display information=1", "Put sound=1", "Beginning sound path=", "Sound mode=0",
    "CD directory= ", "Game sound path=", "Display sound form=0", "",
    "[General]", "Theme file path=Standard Theme.thm", "LNG file path=morvatel30_english.lng",
    "Check new version=1", "Do not ask parameters=0", "Univers language=us", "",
    "[Network Options]", "Play with CPU=1", "Surname=", "Password=", "Be server=1", "Is proxy=0",
    "Proxy address=", "Proxy port=80", "Server port=2032", "Is socks proxy=0",
    "Proxy socks address=", "Proxy socks port=1080", "Is authentification socks=0",
    "Proxy socks login=", "Proxy socks password="});

TEST_F(SettingsFile, MissingFileGivesTheDefaultsWhichAreWrittenInFileOrder) {
    Settings s = unusualSettings();
    client::LoadIniFile(s, ini());
    EXPECT_EQ(s, Settings{});
    EXPECT_EQ(s.ServerPort, 2032);
    EXPECT_EQ(s.BeServer, 1);
    EXPECT_EQ(s.CdDirectory, ' ');
    EXPECT_EQ(s.CpuDelayTicks, 22);

    ASSERT_TRUE(client::SaveIniFile(s, ini()));
    EXPECT_EQ(ReadBytes(ini()), DefaultFile);
}

TEST_F(SettingsFile, EveryValueSurvivesSaveAndLoad) {
    const Settings written = unusualSettings();
    ASSERT_TRUE(client::SaveIniFile(written, ini()));
    Settings read;
    client::LoadIniFile(read, ini());
    EXPECT_EQ(read, written);
    EXPECT_EQ(read.CpuDelayTicks, 7);
}

TEST_F(SettingsFile, PasswordIsStoredEncodedAndTheSocksPasswordInClear) {
    Settings s;
    s.NetPassword = "abc";
    s.ProxySocksPassword = "xyz";
    ASSERT_TRUE(client::SaveIniFile(s, ini()));
    const std::string file = ReadBytes(ini());
    EXPECT_NE(file.find("\r\nPassword=134135136\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nProxy socks password=xyz\r\n"), std::string::npos);
    EXPECT_EQ(file.find("abc"), std::string::npos);

    EXPECT_EQ(load(CrLf({"[Network Options]", "Password=134135136"})).NetPassword, "abc");
    EXPECT_EQ(load(CrLf({"[Network Options]", "Password=134x35136"})).NetPassword, "");
}

TEST_F(SettingsFile, FileWithoutNetworkOptionsGivesTheNetworkDefaults) {
    const Settings s = load(CrLf({"[Game Options]", "CPU speed=7", "[General]",
                                  "Theme file path=Wood Table.thm"}));
    EXPECT_EQ(s.CpuSpeed, 7);
    EXPECT_EQ(s.CpuDelayTicks, 12);
    EXPECT_EQ(s.ThemeFilePath, "Wood Table.thm");
    EXPECT_EQ(s.ServerPort, 2032);
    EXPECT_EQ(s.ProxySocksPort, 1080);
    EXPECT_EQ(s.BeServer, 1);
    EXPECT_EQ(s.PlayWithCpu, 1);
}

TEST_F(SettingsFile, CdDirectoryKeepsOneCharacter) {
    const std::vector<std::tuple<std::string, char, std::string>> cases = {
        {"CD directory=", ' ', "CD directory= "},
        {"CD directory= ", ' ', "CD directory= "},
        {"CD directory=D:\\", 'D', "CD directory=D"},
        {"CD directory=e", 'e', "CD directory=e"},
    };
    for (const auto& [line, letter, written] : cases) {
        SCOPED_TRACE(line);
        const Settings s = load(CrLf({"[Sound]", line}));
        EXPECT_EQ(s.CdDirectory, letter);
        ASSERT_TRUE(client::SaveIniFile(s, ini()));
        EXPECT_NE(ReadBytes(ini()).find("\r\n" + written + "\r\n"), std::string::npos);
    }
}

// Every text of the store, each save giving the fields different odd texts, reads back
// exactly as it was saved; so does every character of "CD directory".
TEST_F(SettingsFile, OddValuesReadBackEqualAfterASave) {
    using Text = std::string Settings::*;
    const Text texts[] = {&Settings::LeftPlayerFile, &Settings::MeFile, &Settings::RightPlayerFile,
                          &Settings::BeginningSoundPath, &Settings::GameSoundPath, &Settings::ThemeFilePath,
                          &Settings::LngFilePath, &Settings::UniversLanguage, &Settings::Surname,
                          &Settings::NetPassword, &Settings::ProxyAddress, &Settings::ProxySocksAddress,
                          &Settings::ProxySocksLogin, &Settings::ProxySocksPassword};
    const std::vector<std::string>& odd = OddOneLineTexts();
    const std::string letters = " \t\"=;[\xe9" "E";
    for (std::size_t round = 0; round < odd.size(); ++round) {
        Settings written = unusualSettings();
        for (std::size_t f = 0; f < std::size(texts); ++f) written.*texts[f] = odd[(round + f) % odd.size()];
        written.CdDirectory = letters[round % letters.size()];
        ASSERT_TRUE(client::SaveIniFile(written, ini()));
        Settings read;
        client::LoadIniFile(read, ini());
        EXPECT_EQ(read, written) << "round " << round;
        for (std::size_t f = 0; f < std::size(texts); ++f)
            EXPECT_EQ(read.*texts[f], written.*texts[f]) << "round " << round << " field " << f;
    }
}

TEST_F(SettingsFile, TextsWithLineEndsAreMadeStorableAndNeverForgeKeys) {
    const std::string forged = "Bob\r\nServer port=1\nBe server=7\r";
    EXPECT_EQ(client::StorableText(forged), "BobServer port=1Be server=7");
    EXPECT_EQ(client::StorableText(std::string("a\0b", 3)), "ab");

    // Set through the rule, the value reads back equal.
    Settings written = unusualSettings();
    written.Surname = client::StorableText(forged);
    ASSERT_TRUE(client::SaveIniFile(written, ini()));
    Settings read;
    client::LoadIniFile(read, ini());
    EXPECT_EQ(read, written);

    // Even when a caller skips it, the file keeps its lines: no key is forged.
    written.Surname = forged;
    ASSERT_TRUE(client::SaveIniFile(written, ini()));
    client::LoadIniFile(read, ini());
    EXPECT_EQ(read.ServerPort, written.ServerPort);
    EXPECT_EQ(read.BeServer, written.BeServer);
    EXPECT_EQ(read.Surname, client::StorableText(forged));
}

TEST(CpuDelayTicks, IntegerPartOfTheDelayIsTaken) {
    const int expected[] = {30, 27, 25, 22, 20, 17, 15, 12, 10, 7, 5};
    for (int speed = 0; speed <= 10; ++speed)
        EXPECT_EQ(client::ComputeCpuDelayTicks(speed), expected[speed]) << speed;
    EXPECT_EQ(client::ComputeCpuDelayTicks(13), -2); // -2.5 cut toward zero
    EXPECT_EQ(client::ComputeCpuDelayTicks(-1), 32);
    EXPECT_EQ(client::ComputeCpuDelayTicks(std::numeric_limits<int>::min()),
              std::numeric_limits<int>::max());
    EXPECT_EQ(client::ComputeCpuDelayTicks(std::numeric_limits<int>::max()),
              std::numeric_limits<int>::min());
}

TEST_F(SettingsFile, ReadValuesAreCheckedAndDerived) {
    struct Case {
        std::string line;
        int cpuDelayTicks;
        int soundMode;
    };
    const std::vector<Case> cases = {
        {"CPU speed=1", 27, 0}, {"CPU speed=4", 20, 0}, {"CPU speed=fast", 22, 0},
        {"Sound mode=2", 22, 2}, {"Sound mode=3", 22, 0}, {"Sound mode=-1", 22, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string section = c.line.rfind("CPU", 0) == 0 ? "[Game Options]" : "[Sound]";
        const Settings s = load(CrLf({section, c.line}));
        EXPECT_EQ(s.CpuDelayTicks, c.cpuDelayTicks);
        EXPECT_EQ(s.SoundMode, c.soundMode);
    }
}

TEST_F(SettingsFile, ValuesThatAreNotNumbersGiveTheirDefaults) {
    const Settings s = load(CrLf({"[Game Options]", "Apply tactic=yes", "[3D View]",
                                  "Camera postion y=high", "Camera angle Y=nan",
                                  "[Network Options]", "Server port=20x", "Is proxy=", "Proxy port=8080"}));
    EXPECT_TRUE(s.ApplyTactic);
    EXPECT_EQ(s.CameraPositionY, -800.0);
    EXPECT_EQ(s.CameraAngleY, -3.141592653589793);
    EXPECT_EQ(s.ServerPort, 2032);
    EXPECT_FALSE(s.IsProxy);
    EXPECT_EQ(s.ProxyPort, 8080);
}

TEST_F(SettingsFile, SavingKeepsOtherLinesOfTheFile) {
    WriteBytes(ini(), CrLf({"[Network Options]", "Server port=5000", "Window left=10", "",
                            "[Mine]", "kept=yes", "[Game Options]", "cpu speed=8"}));
    Settings s;
    client::LoadIniFile(s, ini());
    EXPECT_EQ(s.CpuSpeed, 8);
    s.ServerPort = 6000;
    ASSERT_TRUE(client::SaveIniFile(s, ini()));
    const platform::IniFile back(ini());
    EXPECT_EQ(back.ReadInteger("Network Options", "Window left", 0), 10);
    EXPECT_EQ(back.ReadString("Mine", "kept", ""), "yes");
    EXPECT_EQ(back.ReadInteger("Network Options", "Server port", 0), 6000);
    EXPECT_EQ(back.ReadSections(),
              (std::vector<std::string>{"Network Options", "Mine", "Game Options", "3D View", "Sound",
                                        "General"}));
    const std::string file = ReadBytes(ini());
    EXPECT_NE(file.find("\r\ncpu speed=8\r\n"), std::string::npos) << "existing key text kept";
    EXPECT_EQ(file.find("CPU speed"), std::string::npos) << "no second key";
}

TEST(SettingsReset, PutsTheResetListBackAndLeavesTheRest) {
    Settings s = unusualSettings();
    s.TableColor = 1;
    s.DominoesColor = 2;
    s.FontSize = 15;
    s.BackDominoesBorder = 3;
    s.BackgroundTexturePath = "themes/textures/a.jpg";
    s.DominoesTexturePath = "themes/textures/b.jpg";
    s.BackDominoesTexturePath = "themes/textures/c.jpg";
    s.ProgramDir = "/some/where/";
    const Settings before = s;

    client::Reset(s);

    Settings expected;
    expected.DoNotAskParameters = 1;
    expected.BeServer = 0;
    expected.ServerPort = 2320;
    expected.CpuDelayTicks = 22;
    // Left as they were.
    expected.CdDirectory = before.CdDirectory;
    expected.GameSoundPath = before.GameSoundPath;
    expected.DisplaySoundForm = before.DisplaySoundForm;
    expected.UniversLanguage = before.UniversLanguage;
    expected.BackgroundTexturePath = before.BackgroundTexturePath;
    expected.DominoesTexturePath = before.DominoesTexturePath;
    expected.BackDominoesTexturePath = before.BackDominoesTexturePath;
    expected.ProgramDir = before.ProgramDir;
    EXPECT_EQ(s, expected);
    EXPECT_EQ(s.ServerPort, 2320);
    EXPECT_EQ(s.TableColor, 0x005500);
    EXPECT_EQ(s.FontSize, 8);
}

} // namespace
