#include "Settings.h"

#include "Password.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <variant>

namespace client {
namespace {

using Field = std::variant<int Settings::*, bool Settings::*, double Settings::*,
                           std::string Settings::*, char Settings::*>;

struct Row {
    const char* section;
    const char* key;
    Field field;
};

constexpr const char* GameOptions = "Game Options";
constexpr const char* View3D = "3D View";
constexpr const char* Sound = "Sound";
constexpr const char* General = "General";
constexpr const char* NetworkOptions = "Network Options";
constexpr const char* PasswordKey = "Password";

// Every key of "param.ini", in file order. The key texts are those of existing files,
// spelling included.
const Row Rows[] = {
    {GameOptions, "CPU speed", &Settings::CpuSpeed},
    {GameOptions, "Apply tactic", &Settings::ApplyTactic},
    {GameOptions, "Left player file", &Settings::LeftPlayerFile},
    {GameOptions, "Me file", &Settings::MeFile},
    {GameOptions, "Right player file", &Settings::RightPlayerFile},
    {View3D, "Camera postion x", &Settings::CameraPositionX},
    {View3D, "Camera postion y", &Settings::CameraPositionY},
    {View3D, "Camera postion z", &Settings::CameraPositionZ},
    {View3D, "Camera angle X", &Settings::CameraAngleX},
    {View3D, "Camera angle Y", &Settings::CameraAngleY},
    {Sound, "Display information", &Settings::DisplayInformation},
    {Sound, "Put sound", &Settings::PutSound},
    {Sound, "Beginning sound path", &Settings::BeginningSoundPath},
    {Sound, "Sound mode", &Settings::SoundMode},
    {Sound, "CD directory", &Settings::CdDirectory},
    {Sound, "Game sound path", &Settings::GameSoundPath},
    {Sound, "Display sound form", &Settings::DisplaySoundForm},
    {General, "Theme file path", &Settings::ThemeFilePath},
    {General, "LNG file path", &Settings::LngFilePath},
    {General, "Check new version", &Settings::CheckNewVersion},
    {General, "Do not ask parameters", &Settings::DoNotAskParameters},
    {General, "Univers language", &Settings::UniversLanguage},
    {NetworkOptions, "Play with CPU", &Settings::PlayWithCpu},
    {NetworkOptions, "Surname", &Settings::Surname},
    {NetworkOptions, PasswordKey, &Settings::NetPassword},
    {NetworkOptions, "Be server", &Settings::BeServer},
    {NetworkOptions, "Is proxy", &Settings::IsProxy},
    {NetworkOptions, "Proxy address", &Settings::ProxyAddress},
    {NetworkOptions, "Proxy port", &Settings::ProxyPort},
    {NetworkOptions, "Server port", &Settings::ServerPort},
    {NetworkOptions, "Is socks proxy", &Settings::IsSocksProxy},
    {NetworkOptions, "Proxy socks address", &Settings::ProxySocksAddress},
    {NetworkOptions, "Proxy socks port", &Settings::ProxySocksPort},
    {NetworkOptions, "Is authentification socks", &Settings::IsAuthentificationSocks},
    {NetworkOptions, "Proxy socks login", &Settings::ProxySocksLogin},
    {NetworkOptions, "Proxy socks password", &Settings::ProxySocksPassword},
};

bool isPassword(const Row& row) { return std::string(row.key) == PasswordKey; }

void readRow(const platform::IniFile& ini, const Row& row, Settings& s, const Settings& def) {
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<T, int>) {
                s.*member = ini.ReadInteger(row.section, row.key, def.*member);
            } else if constexpr (std::is_same_v<T, bool>) {
                s.*member = ini.ReadBool(row.section, row.key, def.*member);
            } else if constexpr (std::is_same_v<T, double>) {
                // The camera's values: one that cannot show a table falls back.
                const double value = ini.ReadFloat(row.section, row.key, def.*member);
                s.*member = IsSaneCameraValue(value) ? value : def.*member;
            } else if constexpr (std::is_same_v<T, char>) {
                const std::string text = ini.ReadString(row.section, row.key, "");
                s.*member = text.empty() ? ' ' : text.front();
            } else if (isPassword(row)) {
                s.*member = DecodePassword(ini.ReadString(row.section, row.key, ""));
            } else {
                s.*member = ini.ReadString(row.section, row.key, def.*member);
            }
        },
        row.field);
}

void writeRow(platform::IniFile& ini, const Row& row, const Settings& s) {
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<T, int>) {
                ini.WriteInteger(row.section, row.key, s.*member);
            } else if constexpr (std::is_same_v<T, bool>) {
                ini.WriteBool(row.section, row.key, s.*member);
            } else if constexpr (std::is_same_v<T, double>) {
                ini.WriteFloat(row.section, row.key, s.*member);
            } else if constexpr (std::is_same_v<T, char>) {
                // No drive is one blank, which reads back empty and so again as a blank.
                if (s.*member == ' ') ini.WriteUnquoted(row.section, row.key, " ");
                else ini.WriteString(row.section, row.key, std::string(1, s.*member));
            } else if (isPassword(row)) {
                ini.WriteString(row.section, row.key, EncodePassword(s.*member));
            } else {
                ini.WriteString(row.section, row.key, s.*member);
            }
        },
        row.field);
}

} // namespace

std::string StorableText(const std::string& text) { return platform::OneLine(text); }

Settings& AppSettings() {
    static Settings settings;
    return settings;
}

void SetProgramDir(Settings& settings, const std::string& folder) {
    std::string dir = folder;
    if (dir.empty() || dir.back() != '/') dir.push_back('/');
    settings.ProgramDir = dir;
    settings.IniFilePath = dir + "param.ini";
    settings.StatsFilePath = dir + "datas.sta";
}

void SetProgramDir(const std::string& folder) { SetProgramDir(AppSettings(), folder); }

std::string InProgramDir(const std::string& relative) {
    Settings& s = AppSettings();
    if (s.ProgramDir.empty()) SetProgramDir(s, platform::ProgramFolder());
    return s.ProgramDir + relative;
}

int ComputeCpuDelayTicks(int cpuSpeed) {
    // (12 - speed) * 5 / 2 in 64 bits: the division cuts the fraction toward zero, as the
    // integer part of (12 - speed) * 2.5 does, without floating-point rounding.
    const std::int64_t ticks = (std::int64_t{12} - cpuSpeed) * 5 / 2;
    return static_cast<int>(std::clamp<std::int64_t>(ticks, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

void LoadIniFile(Settings& settings, const std::string& path) {
    const platform::IniFile ini(path);
    const Settings defaults;
    for (const Row& row : Rows) readRow(ini, row, settings, defaults);
    settings.CpuDelayTicks = ComputeCpuDelayTicks(settings.CpuSpeed);
    if (settings.SoundMode < 0 || settings.SoundMode > 2) settings.SoundMode = 0;
}

void LoadIniFile() {
    Settings& s = AppSettings();
    if (s.IniFilePath.empty()) SetProgramDir(s, platform::ProgramFolder());
    LoadIniFile(s, s.IniFilePath);
}

bool SaveIniFile(const Settings& settings, const std::string& path) {
    platform::IniFile ini(path);
    for (const Row& row : Rows) writeRow(ini, row, settings);
    return ini.UpdateFile();
}

bool SaveIniFile() {
    Settings& s = AppSettings();
    if (s.IniFilePath.empty()) SetProgramDir(s, platform::ProgramFolder());
    return SaveIniFile(s, s.IniFilePath);
}

void Reset(Settings& s) {
    s.CpuSpeed = 3;
    s.ApplyTactic = true;
    s.LeftPlayerFile = "standard player.vrk";
    s.MeFile = "standard player.vrk";
    s.RightPlayerFile = "standard player.vrk";
    s.CameraPositionX = 0.0;
    s.CameraPositionY = -800.0;
    s.CameraPositionZ = -2200.0;
    s.CameraAngleX = -0.5235987755982989;
    s.CameraAngleY = -3.141592653589793;
    s.DisplayInformation = true;
    s.PutSound = true;
    s.BeginningSoundPath.clear();
    s.SoundMode = 0;
    // CdDirectory, GameSoundPath and DisplaySoundForm stay.
    s.ThemeFilePath = "Standard Theme.thm";
    s.LngFilePath = "morvatel30_english.lng";
    s.CheckNewVersion = 1;
    s.DoNotAskParameters = 1;
    // UniversLanguage stays.
    s.PlayWithCpu = 1;
    s.Surname.clear();
    s.NetPassword.clear();
    s.BeServer = 0;
    s.IsProxy = false;
    s.ProxyAddress.clear();
    s.ProxyPort = 80;
    s.ServerPort = 2320;
    s.IsSocksProxy = false;
    s.ProxySocksAddress.clear();
    s.ProxySocksPort = 1080;
    s.IsAuthentificationSocks = false;
    s.ProxySocksLogin.clear();
    s.ProxySocksPassword.clear();
    s.CpuDelayTicks = 22;
    ResetThemeDefaults(s);
}

void Reset() { Reset(AppSettings()); }

} // namespace client
