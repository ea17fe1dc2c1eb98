#include "server/ServerSettings.h"

#include <charconv>
#include <vector>

#include "settings/Password.h"
#include "platform/TextFile.h"

namespace server {

namespace {

bool parseInt(const std::string& line, int& out) {
    auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), out);
    return ec == std::errc() && ptr == line.data() + line.size() && !line.empty();
}

// A text value is one line of the file: a line end inside it would shift every later line.
std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n') out.push_back(c);
    return out;
}

const char* flag(bool on) { return on ? "1" : "0"; }
const char* boolean(bool on) { return on ? "TRUE" : "FALSE"; }

} // namespace

std::string& SeatProfileSetting(ServerSettings& s, int position) {
    return position <= 0 ? s.LeftPlayerFile : position == 1 ? s.MeFile : s.RightPlayerFile;
}

const std::string& SeatProfileSetting(const ServerSettings& s, int position) {
    return SeatProfileSetting(const_cast<ServerSettings&>(s), position);
}

void ApplyDefaults(ServerSettings& s) {
    s.ThemeFilePath = DefaultTheme;
    s.LngFilePath = DefaultLngFile;
    s.LeftPlayerFile = s.MeFile = s.RightPlayerFile = DefaultProfile;
    s.Surname.clear();
    s.NetPassword.clear();
    s.PlayWithCpu = 1;
    s.BeServer = 0;
    s.ApplyTactic = true;
    s.ServerPort = DefaultServerPort;
}

bool ReadSettingsFile(const std::string& path, ServerSettings& s) {
    auto lines = platform::ReadLines(path);
    if (!lines) {
        ApplyDefaults(s);
        return false;
    }
    platform::LineReader in(std::move(*lines));
    const auto skip = [&](int n) {
        for (int i = 0; i < n; ++i) in.next();
    };
    const auto number = [&](int& out) { return parseInt(in.next(), out); };
    const auto isOne = [&] { return in.next() == "1"; };
    const auto isTrue = [&] { return in.next() == "TRUE"; };

    skip(2);                                   // 1, 2
    s.ApplyTactic = isOne();                   // 3
    skip(1);                                   // 4
    s.LeftPlayerFile = in.next();              // 5
    s.MeFile = in.next();                      // 6
    s.RightPlayerFile = in.next();             // 7
    skip(1);                                   // 8
    s.ThemeFilePath = in.next();               // 9
    skip(1);                                   // 10
    s.LngFilePath = in.next();                 // 11
    skip(2);                                   // 12, 13
    bool ok = number(s.PlayWithCpu);           // 14
    if (ok) {
        s.Surname = in.next();                 // 15
        s.NetPassword = client::DecodePassword(in.next());  // 16
        ok = number(s.BeServer);               // 17
    }
    if (ok) {
        s.IsProxy = isOne();                   // 18
        s.ProxyAddress = in.next();            // 19
        ok = number(s.ProxyPort) && number(s.ServerPort);  // 20, 21
    }
    if (ok) {
        s.IsSocksProxy = isOne();              // 22
        s.ProxySocksAddress = in.next();       // 23
        ok = number(s.ProxySocksPort);         // 24
    }
    if (!ok) {
        ApplyDefaults(s);
        return false;
    }
    s.IsAuthentificationSocks = isOne();       // 25
    s.ProxySocksLogin = in.next();             // 26
    s.ProxySocksPassword = in.next();          // 27
    skip(1);                                   // 28
    s.GeneralFlag = isTrue();                  // 29
    s.LaunchAtStartup = isTrue();              // 30
    return true;                               // 31 to 39 are not read
}

std::vector<std::string> SettingsLines(const ServerSettings& s) {
    return {"[Game]",
            "",
            flag(s.ApplyTactic),
            "[Players]",
            oneLine(s.LeftPlayerFile),
            oneLine(s.MeFile),
            oneLine(s.RightPlayerFile),
            "[Theme]",
            oneLine(s.ThemeFilePath),
            "[Language]",
            oneLine(s.LngFilePath),
            "[Network]",
            "-Connexion",
            std::to_string(s.PlayWithCpu),
            oneLine(s.Surname),
            client::EncodePassword(s.NetPassword),
            std::to_string(s.BeServer),
            flag(s.IsProxy),
            oneLine(s.ProxyAddress),
            std::to_string(s.ProxyPort),
            std::to_string(s.ServerPort),
            flag(s.IsSocksProxy),
            oneLine(s.ProxySocksAddress),
            std::to_string(s.ProxySocksPort),
            flag(s.IsAuthentificationSocks),
            oneLine(s.ProxySocksLogin),
            oneLine(s.ProxySocksPassword),
            "[General]",
            boolean(s.GeneralFlag),
            boolean(s.LaunchAtStartup),
            "",
            oneLine(s.UniversLanguage),
            "[Sound]",
            "",
            "",
            "",
            ""};
}

bool WriteSettingsFile(const std::string& path, const ServerSettings& s) {
    return platform::WriteLinesAtomic(path, SettingsLines(s));
}

ServerSettings& AppSettings() {
    static ServerSettings settings;
    return settings;
}

Statistics& AppStatistics() {
    static Statistics stats;
    return stats;
}

void ReadStaFile(const std::string& path, Statistics& stats) {
    if (auto read = TryReadStatisticsFile(path)) {
        stats = *read;
        return;
    }
    stats = Statistics{};
    WriteStatisticsFile(path, stats);
}

} // namespace server
