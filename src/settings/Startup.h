#pragma once
#include <string>

// The files the main window reads when it is created.
namespace client {

struct StartupFilesResult {
    bool ThemeReset = false; // the theme file was missing or bad: Reset was applied
    bool IniSaved = false;   // "param.ini" was written back
    bool ThemeSaved = false; // the theme file was written back
};

// Makes `folder` the program folder (and the working directory), reads "param.ini" and the
// theme it names into AppSettings(). When the theme file is missing or bad, Reset puts the
// settings of its list back to their defaults, the theme among them ("Standard Theme.thm").
// The font size is clamped to 8..16 and a sound mode outside 0..2 becomes 0. Then both files
// are written back at once, so a fresh folder has complete files after the first start.
StartupFilesResult LoadStartupFiles(const std::string& folder);

} // namespace client
