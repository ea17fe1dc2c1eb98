// The settings file param_ds.ini (37 fixed lines) and the statistics file datas_ds.sta.
#include <gtest/gtest.h>

#include "platform/TextFile.h"
#include "server/ServerSettings.h"
#include "support/TempFolder.h"

using server::ServerSettings;

namespace {

std::vector<std::string> validLines() {
    ServerSettings s;
    server::ApplyDefaults(s);
    s.Surname = "robot";
    s.NetPassword = "abc";
    s.ServerPort = 4000;
    s.IsProxy = true;
    s.ProxyAddress = "10.1.1.1";
    s.ProxyPort = 3128;
    s.IsSocksProxy = true;
    s.ProxySocksAddress = "socks.lan";
    s.ProxySocksPort = 1080;
    s.IsAuthentificationSocks = true;
    s.ProxySocksLogin = "me";
    s.ProxySocksPassword = "secret";
    s.GeneralFlag = true;
    s.LaunchAtStartup = true;
    s.UniversLanguage = "fr";
    return server::SettingsLines(s);
}

ServerSettings readLines(TempFolder& f, const std::vector<std::string>& lines, bool* ok = nullptr) {
    EXPECT_TRUE(platform::WriteLinesAtomic(f.path() + "/param_ds.ini", lines));
    ServerSettings s;
    const bool read = server::ReadSettingsFile(f.path() + "/param_ds.ini", s);
    if (ok) *ok = read;
    return s;
}

} // namespace

TEST(ServerSettingsFile, WritesThirtySevenLinesInTheirFixedOrder) {
    const auto lines = validLines();
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines[0], "[Game]");
    EXPECT_EQ(lines[3], "[Players]");
    EXPECT_EQ(lines[11], "[Network]");
    EXPECT_EQ(lines[12], "-Connexion");
    EXPECT_EQ(lines[15], "134135136");  // "abc", each code + 37 in three digits
    EXPECT_EQ(lines[20], "4000");
    EXPECT_EQ(lines[27], "[General]");
    EXPECT_EQ(lines[29], "TRUE");
    EXPECT_EQ(lines[31], "fr");
    EXPECT_EQ(lines[32], "[Sound]");
}

TEST(ServerSettingsFile, ReadsBackWhatItWroteExceptTheWebLanguage) {
    TempFolder f;
    bool ok = false;
    const ServerSettings s = readLines(f, validLines(), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(s.Surname, "robot");
    EXPECT_EQ(s.NetPassword, "abc");
    EXPECT_EQ(s.ServerPort, 4000);
    EXPECT_TRUE(s.IsProxy);
    EXPECT_EQ(s.ProxyAddress, "10.1.1.1");
    EXPECT_EQ(s.ProxyPort, 3128);
    EXPECT_TRUE(s.IsSocksProxy);
    EXPECT_EQ(s.ProxySocksAddress, "socks.lan");
    EXPECT_EQ(s.ProxySocksPort, 1080);
    EXPECT_TRUE(s.IsAuthentificationSocks);
    EXPECT_EQ(s.ProxySocksLogin, "me");
    EXPECT_EQ(s.ProxySocksPassword, "secret");
    EXPECT_TRUE(s.GeneralFlag);
    EXPECT_TRUE(s.LaunchAtStartup);
    EXPECT_EQ(s.LngFilePath, "mvtserver16_english.lng");
    EXPECT_EQ(s.UniversLanguage, "");
}

TEST(ServerSettingsFile, FlagsAndBooleansAreTrueOnlyForTheirExactText) {
    struct Case {
        int line;  // 1-based
        const char* text;
        bool ServerSettings::*field;
        bool expected;
    };
    const Case cases[] = {
        {18, "yes", &ServerSettings::IsProxy, false},
        {18, "1", &ServerSettings::IsProxy, true},
        {3, "01", &ServerSettings::ApplyTactic, false},
        {30, "true", &ServerSettings::LaunchAtStartup, false},
        {30, "TRUE", &ServerSettings::LaunchAtStartup, true},
    };
    for (const Case& c : cases) {
        TempFolder f;
        auto lines = validLines();
        lines[c.line - 1] = c.text;
        const ServerSettings s = readLines(f, lines);
        EXPECT_EQ(s.*c.field, c.expected) << "line " << c.line << " = " << c.text;
    }
}

TEST(ServerSettingsFile, ANumberLineThatIsNoNumberGivesTheDefaults) {
    // Line 14 holds "x": every later line falls back; what was read before stays.
    TempFolder f;
    auto lines = validLines();
    lines[13] = "x";
    lines[4] = "bruno heavy.vrk";
    bool ok = true;
    const ServerSettings s = readLines(f, lines, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(s.PlayWithCpu, 1);
    EXPECT_EQ(s.BeServer, 0);
    EXPECT_TRUE(s.ApplyTactic);
    EXPECT_EQ(s.ServerPort, 110);
    EXPECT_EQ(s.Surname, "");
    EXPECT_EQ(s.LeftPlayerFile, "standard player.vrk");
    EXPECT_EQ(s.ThemeFilePath, "Standard Theme.thm");
    EXPECT_FALSE(s.IsProxy);  // after the failing line: the start value
}

TEST(ServerSettingsFile, AMissingOrShortFileGivesTheDefaults) {
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{}, std::vector<std::string>{"[Game]", "", "1"}}) {
        TempFolder f;
        bool ok = true;
        const ServerSettings s = readLines(f, lines, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(s.ServerPort, 110);
        EXPECT_EQ(s.LngFilePath, "mvtserver16_english.lng");
    }
    ServerSettings s;
    EXPECT_FALSE(server::ReadSettingsFile("/nonexistent/param_ds.ini", s));
    EXPECT_EQ(s.PlayWithCpu, 1);
}

TEST(ServerSettingsFile, ALineEndInsideAValueCannotShiftTheLaterLines) {
    ServerSettings s;
    server::ApplyDefaults(s);
    s.Surname = "rob\r\not";
    s.ProxyAddress = "a\nb";
    const auto lines = server::SettingsLines(s);
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines[14], "robot");
    EXPECT_EQ(lines[18], "ab");
    EXPECT_EQ(lines[20], "110");
}

TEST(ServerStatisticsFile, AnUnreadableFileGivesZerosAndIsWrittenAtOnce) {
    for (const char* content : {"", "1\r\n2\r\n", "1\r\nx\r\n3\r\n4\r\n"}) {
        TempFolder f;
        if (*content) f.write("datas_ds.sta", content);
        Statistics stats{9, 9, 9, 9};
        server::ReadStaFile(f.path() + "/datas_ds.sta", stats);
        EXPECT_EQ(stats, Statistics{});
        EXPECT_EQ(f.read("datas_ds.sta"), "0\r\n0\r\n0\r\n0\r\n") << content;
    }
    TempFolder f;
    f.write("datas_ds.sta", "5\r\n4\r\n3\r\n2\r\n");
    Statistics stats;
    server::ReadStaFile(f.path() + "/datas_ds.sta", stats);
    EXPECT_EQ(stats, (Statistics{5, 4, 3, 2}));
}
