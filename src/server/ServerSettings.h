#pragma once
#include <string>
#include <vector>

#include "game/Statistics.h"

// The server's settings, kept in "param_ds.ini" beside the program, and its statistics,
// kept in "datas_ds.sta". Despite its name the settings file is not a file of keys: it is
// 37 lines in a fixed order, written and read in that order.
namespace server {

inline constexpr const char* IniFileName = "param_ds.ini";
inline constexpr const char* StatsFileName = "datas_ds.sta";
inline constexpr const char* DefaultProfile = "standard player.vrk";
inline constexpr const char* DefaultTheme = "Standard Theme.thm";
inline constexpr const char* DefaultLngFile = "mvtserver16_english.lng";
inline constexpr int DefaultServerPort = 110;
inline constexpr int SettingsLineCount = 37;

struct ServerSettings {
    bool ApplyTactic = false;                 // line 3
    std::string LeftPlayerFile, MeFile, RightPlayerFile;  // lines 5-7, in "players"
    std::string ThemeFilePath;                // line 9, stored only
    std::string LngFilePath;                  // line 11, in "univers"
    int PlayWithCpu = 0;                      // line 14: 1 one human guest and a computer seat
    std::string Surname;                      // line 15
    std::string NetPassword;                  // line 16, in clear here; stored encoded
    int BeServer = 0;                         // line 17, stored only
    bool IsProxy = false;                     // line 18
    std::string ProxyAddress;                 // line 19
    int ProxyPort = 0;                        // line 20
    int ServerPort = 0;                       // line 21: the game's TCP port
    bool IsSocksProxy = false;                // line 22
    std::string ProxySocksAddress;            // line 23
    int ProxySocksPort = 0;                   // line 24
    bool IsAuthentificationSocks = false;     // line 25
    std::string ProxySocksLogin;              // line 26
    std::string ProxySocksPassword;           // line 27, in clear
    bool GeneralFlag = false;                 // line 29, kept as read
    bool LaunchAtStartup = false;             // line 30
    std::string UniversLanguage;              // line 32, written, never read back
};

// The defaults a start without a readable settings file gets (the values the file does not
// give keep what was read before the failing line).
void ApplyDefaults(ServerSettings& s);
// The profile setting of a seat position (0 left, 1 me, 2 right; others are clamped).
std::string& SeatProfileSetting(ServerSettings& s, int position);
const std::string& SeatProfileSetting(const ServerSettings& s, int position);

// Reads the file into s. False when it is missing or a number line is not a number; the
// defaults have then been applied over what was read. Either way the caller rewrites it.
bool ReadSettingsFile(const std::string& path, ServerSettings& s);
// The 37 lines of the file.
std::vector<std::string> SettingsLines(const ServerSettings& s);
bool WriteSettingsFile(const std::string& path, const ServerSettings& s);

// The server's one settings store and statistics counters.
ServerSettings& AppSettings();
Statistics& AppStatistics();

// Reads the statistics file; a missing or unreadable one gives zeros and is written at once.
void ReadStaFile(const std::string& path, Statistics& stats);

} // namespace server
