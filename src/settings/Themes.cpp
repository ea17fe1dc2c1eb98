#include "settings/Themes.h"

#include "settings/FolderFiles.h"
#include "settings/Settings.h"
#include "settings/ThemeFile.h"
#include "platform/ProgramFolder.h"

namespace client {

std::vector<std::string> thmList() {
    std::vector<std::string> names = FilesWithExtension("themes", ".thm");
    for (std::string& name : names) name.resize(name.size() - 4);
    return names;
}

void LoadTheme(const std::string& fileName) {
    Settings& s = AppSettings();
    s.ThemeFilePath = fileName;
    if (!LoadThmFile()) {
        ResetThemeDefaults(s);
        s.BackgroundTexturePath.clear();
        s.DominoesTexturePath.clear();
        s.BackDominoesTexturePath.clear();
        s.LeftPlayerFile = s.MeFile = s.RightPlayerFile = "standard player.vrk";
    }
    s.FontSize = ClampFontSize(s.FontSize);
    if (s.SoundMode < 0 || s.SoundMode > 2) s.SoundMode = 0;
}

bool DeleteTheme(const std::string& name) { return !name.empty() && RemoveFileIn("themes", name + ".thm"); }

std::vector<std::string> TextureFiles() { return FilesWithExtension(TextureFolder, ".jpg"); }

bool DeleteTexture(const std::string& fileName) { return RemoveFileIn(TextureFolder, fileName); }

} // namespace client
