#pragma once
#include "settings/ThemeFile.h"

#include <string>

// The client's settings store: one process-wide set of values that every window reads and
// writes directly, persisted in "param.ini" in the program folder. The theme values come
// from the current theme file (ThemeFile.h).
namespace client {

// The camera's position and angles stay within +-CameraValueLimit: the camera dialog stops
// there, and a value read beyond it (or not a number, or infinite) takes its default. Far
// beyond it the 3D engine's sums overflow on every redraw.
inline constexpr double CameraValueLimit = 1e6;
inline bool IsSaneCameraValue(double value) {
    return value >= -CameraValueLimit && value <= CameraValueLimit;  // false for NaN
}

struct Settings : ThemeValues {
    // Program folder, with its trailing "/"; the files beside the program.
    std::string ProgramDir;
    std::string IniFilePath;   // ProgramDir + "param.ini"
    std::string StatsFilePath; // ProgramDir + "datas.sta"

    // Member initialisers are the values used when a key is missing from "param.ini".

    // [Game Options]
    int CpuSpeed = 3;
    bool ApplyTactic = true;
    std::string LeftPlayerFile = "standard player.vrk";
    std::string MeFile = "standard player.vrk";
    std::string RightPlayerFile = "standard player.vrk";

    // [3D View]
    double CameraPositionX = 0.0;
    double CameraPositionY = -800.0;
    double CameraPositionZ = -2200.0;
    double CameraAngleX = -0.5235987755982989; // -pi/6
    double CameraAngleY = -3.141592653589793;  // -pi

    // [Sound]
    bool DisplayInformation = true;
    bool PutSound = true;
    std::string BeginningSoundPath;
    int SoundMode = 0; // 0..2
    char CdDirectory = ' '; // drive letter of the audio CD, a blank when none
    std::string GameSoundPath;
    bool DisplaySoundForm = false;

    // [General]
    std::string ThemeFilePath = "Standard Theme.thm";
    std::string LngFilePath = "morvatel30_english.lng";
    int CheckNewVersion = 1;
    int DoNotAskParameters = 0;
    std::string UniversLanguage = "us";

    // [Network Options]
    int PlayWithCpu = 1;
    std::string Surname;
    std::string NetPassword; // in clear here; encoded in the file
    int BeServer = 1;
    bool IsProxy = false;
    std::string ProxyAddress;
    int ProxyPort = 80;
    int ServerPort = 2032;
    bool IsSocksProxy = false;
    std::string ProxySocksAddress;
    int ProxySocksPort = 1080;
    bool IsAuthentificationSocks = false;
    std::string ProxySocksLogin;
    std::string ProxySocksPassword; // kept in clear in the file

    // Derived, not stored: timer ticks a computer seat waits between moves.
    int CpuDelayTicks = 22;

    bool operator==(const Settings&) const = default;
};

// A text as the store can keep it: the values are one-line fields of "param.ini" and of
// the theme files, so line ends (CR, LF) and NUL bytes are removed. Every text value set
// from outside (typed, read from a page or a download) passes through it where it is set;
// any other text reads back from the files exactly as it was saved.
std::string StorableText(const std::string& text);

// The one settings store of the process.
Settings& AppSettings();

// Sets ProgramDir (a trailing "/" is added), IniFilePath and StatsFilePath.
void SetProgramDir(Settings& settings, const std::string& folder);
void SetProgramDir(const std::string& folder);
// ProgramDir + relative; ProgramDir is taken from the running program when not yet set.
std::string InProgramDir(const std::string& relative);

// Integer part of (12 - cpuSpeed) x 2.5: speeds 0..10 give 30, 27, 25, 22, 20, 17, 15, 12,
// 10, 7, 5.
int ComputeCpuDelayTicks(int cpuSpeed);

// Reads every key of "param.ini" (a missing file or key, or a value that is not a number,
// gives the key's default), decodes the password, takes the first character of "CD
// directory" (a blank when empty), computes CpuDelayTicks and puts a SoundMode outside
// 0..2 back to 0.
void LoadIniFile(Settings& settings, const std::string& path);
void LoadIniFile(); // AppSettings() from its IniFilePath

// Writes every key into the file, keeping its other lines and its order; false when the
// file cannot be written (the previous file then stays as it was).
bool SaveIniFile(const Settings& settings, const std::string& path);
bool SaveIniFile(); // AppSettings() to its IniFilePath

// Puts the settings of the reset list and the theme colours and font size back to their
// defaults. "CD directory", "Game sound path", "Display sound form", "Univers language" and
// the texture paths are left as they are.
void Reset(Settings& settings);
void Reset();

} // namespace client
