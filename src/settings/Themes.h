#pragma once
#include <string>
#include <vector>

// The theme files of "themes" and the texture pictures of "themes/textures", as the
// options window and the theme editor list, load and delete them.
namespace client {

inline constexpr const char* TextureFolder = "themes/textures";

// The theme names: every "themes/*.thm" without its extension, sorted.
std::vector<std::string> thmList();

// ThemeFilePath = fileName, then the file read into the theme settings. A file that cannot
// be read (missing, short, a value that is not a number, a name leaving the folder) gives
// the built-in theme without textures and seats every player on "standard player.vrk";
// nothing is reported. The font size is then kept to 8..16 and a sound mode outside 0..2
// becomes 0.
void LoadTheme(const std::string& fileName);

// Deletes "themes/" + name + ".thm" and nothing else.
bool DeleteTheme(const std::string& name);

// The "*.jpg" files of "themes/textures", sorted.
std::vector<std::string> TextureFiles();
// Deletes that one file of "themes/textures".
bool DeleteTexture(const std::string& fileName);

} // namespace client
