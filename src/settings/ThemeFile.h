#pragma once
#include <string>
#include <vector>

// Theme files: "themes/<name>.thm" under the program folder, 38 lines of header and value
// pairs, read by position. Colours are 0xBBGGRR values written in decimal.
namespace client {

// The look of the table. The member initialisers are the defaults that Reset restores
// (the texture paths start empty and Reset leaves them alone).
struct ThemeValues {
    int TableColor = 0x005500;
    int DominoesColor = 0xDDFFFF;
    int DominoesDotsColor = 0x000000;
    int DominoesBackColor = 0x000000;
    int DominoesBorderColor = 0x008A8A;
    int NormalTextColor = 0x008000;
    int LightedTextColor = 0x00FF00;
    int SelectedDominoColor = 0x0080FF;
    int FontSize = 8; // game information window, 8..16
    int InfoTextColor = 0x000000;
    int InfoBackColor = 0x0080FF;
    // JPEG pictures relative to the program folder (as a rule in "themes/textures"),
    // with "/" separators, or empty for none.
    std::string BackgroundTexturePath;
    std::string DominoesTexturePath;
    std::string BackDominoesTexturePath;
    int BackDominoesBorder = 0x3C3C3C;

    bool operator==(const ThemeValues&) const = default;
};

constexpr int MinFontSize = 8;
constexpr int MaxFontSize = 16;
int ClampFontSize(int size);

// The eleven colours and the font size back to their defaults; texture paths untouched.
void ResetThemeDefaults(ThemeValues& theme);

// The 38 lines of a theme file.
std::vector<std::string> ThemeFileLines(const ThemeValues& theme);

// Reads a theme file by position: header lines are skipped without looking at them, value
// lines are decimal integers or whole lines of text; a "\" in a texture path is taken as
// "/"; the font size is clamped to 8..16. False for a missing file, a value line that is
// not an integer, or a file that ends before line 38. Values read before the failure stay
// in `theme` (text lines past the end read as empty, as with the classic line reader).
bool ReadThemeFile(const std::string& path, ThemeValues& theme);

// Writes the 38 lines with CR LF through a temporary file; false on failure. A texture
// path is written as one line, "/" separators (what it would read back as).
bool WriteThemeFile(const std::string& path, const ThemeValues& theme);

// The theme file named by the settings: ProgramDir + "themes/" + ThemeFilePath.
std::string CurrentThemeFile();

// Reads the current theme file into the settings store. False when it fails (see
// ReadThemeFile) or when ThemeFilePath is not a plain file name.
bool LoadThmFile();

// Writes the settings store's theme to the current theme file, creating the "themes"
// folder when needed. False when it cannot be written or ThemeFilePath is not a plain
// file name (a name never leaves the themes folder).
bool SaveThmFile();
// The same for any theme: "themes/" + fileName. False when it could not be written (a name
// the file system refuses, a folder that cannot be written); an existing file then stays.
bool SaveThmFileAs(const std::string& fileName, const ThemeValues& theme);

} // namespace client
