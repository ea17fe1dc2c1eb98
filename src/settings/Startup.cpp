#include "Startup.h"

#include "Settings.h"
#include "ThemeFile.h"

#include <QDir>

#include "platform/ProgramFolder.h"

namespace client {

StartupFilesResult LoadStartupFiles(const std::string& folder) {
    StartupFilesResult result;
    Settings& s = AppSettings();
    SetProgramDir(s, folder);
    // Relative names (texture paths, profiles) are used from the program folder.
    (void)QDir::setCurrent(platform::FileSystemPath(s.ProgramDir));

    LoadIniFile(s, s.IniFilePath);
    if (!LoadThmFile()) {
        Reset(s);
        result.ThemeReset = true;
    }
    s.FontSize = ClampFontSize(s.FontSize);
    if (s.SoundMode < 0 || s.SoundMode > 2) s.SoundMode = 0;

    result.IniSaved = SaveIniFile(s, s.IniFilePath);
    result.ThemeSaved = SaveThmFile();
    return result;
}

} // namespace client
