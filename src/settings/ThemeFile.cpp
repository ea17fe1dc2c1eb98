#include "ThemeFile.h"

#include "Settings.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>

namespace client {
namespace {

// A texture path as stored: one line, "/" separators.
std::string withSlashes(const std::string& text) {
    std::string path = platform::OneLine(text);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// A value line: a decimal integer, blanks around it allowed.
bool parseDecimal(const std::string& line, int& value) {
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
    while (end > begin && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
    if (begin == end) return false;
    const char* first = line.data() + begin;
    const char* last = line.data() + end;
    int parsed = 0;
    const auto [ptr, ec] = std::from_chars(first, last, parsed, 10);
    if (ec != std::errc() || ptr != last) return false;
    value = parsed;
    return true;
}

} // namespace

int ClampFontSize(int size) { return std::clamp(size, MinFontSize, MaxFontSize); }

void ResetThemeDefaults(ThemeValues& theme) {
    const ThemeValues defaults;
    theme.TableColor = defaults.TableColor;
    theme.DominoesColor = defaults.DominoesColor;
    theme.DominoesDotsColor = defaults.DominoesDotsColor;
    theme.DominoesBackColor = defaults.DominoesBackColor;
    theme.DominoesBorderColor = defaults.DominoesBorderColor;
    theme.NormalTextColor = defaults.NormalTextColor;
    theme.LightedTextColor = defaults.LightedTextColor;
    theme.SelectedDominoColor = defaults.SelectedDominoColor;
    theme.FontSize = defaults.FontSize;
    theme.InfoTextColor = defaults.InfoTextColor;
    theme.InfoBackColor = defaults.InfoBackColor;
    theme.BackDominoesBorder = defaults.BackDominoesBorder;
}

std::vector<std::string> ThemeFileLines(const ThemeValues& t) {
    auto n = [](int v) { return std::to_string(v); };
    return {
        "[Table Color]", n(t.TableColor),
        "[Dominoes Color]", n(t.DominoesColor),
        "[Dominoes Dots Color]", n(t.DominoesDotsColor),
        "[Dominoes Back Color]", n(t.DominoesBackColor),
        "[Dominoes Border Color]", n(t.DominoesBorderColor),
        "[Normal Text Color]", n(t.NormalTextColor),
        "[Lighted Text Color]", n(t.LightedTextColor),
        "[Selected Domino Color]", n(t.SelectedDominoColor),
        "[Font Size]", n(t.FontSize),
        "[Info Text Color]", n(t.InfoTextColor),
        "[Info Back Color]", n(t.InfoBackColor),
        "[Empty]", "",
        "[Empty]", "",
        "[Empty]", "",
        "[Empty]", "",
        "[Background Texture Path]", withSlashes(t.BackgroundTexturePath),
        "[Dominoes Texture Path]", withSlashes(t.DominoesTexturePath),
        "[Back Dominoes Texture Path]", withSlashes(t.BackDominoesTexturePath),
        "[Back Dominoes Border]", n(t.BackDominoesBorder),
    };
}

bool ReadThemeFile(const std::string& path, ThemeValues& theme) {
    std::optional<std::vector<std::string>> lines;
    try {
        lines = platform::ReadLines(path);
    } catch (const std::exception&) {
        return false; // a read error counts as a missing file
    }
    if (!lines) return false;
    platform::LineReader reader(std::move(*lines));

    // Each value follows its header line, which is skipped unread.
    auto number = [&reader](int& field) {
        reader.next();
        return parseDecimal(reader.next(), field);
    };
    auto text = [&reader](std::string& field) {
        reader.next();
        field = withSlashes(reader.next());
    };

    if (!number(theme.TableColor) || !number(theme.DominoesColor) ||
        !number(theme.DominoesDotsColor) || !number(theme.DominoesBackColor) ||
        !number(theme.DominoesBorderColor) || !number(theme.NormalTextColor) ||
        !number(theme.LightedTextColor) || !number(theme.SelectedDominoColor) ||
        !number(theme.FontSize))
        return false;
    theme.FontSize = ClampFontSize(theme.FontSize);
    if (!number(theme.InfoTextColor) || !number(theme.InfoBackColor)) return false;
    for (int i = 0; i < 8; ++i) reader.next(); // the four "[Empty]" pairs
    text(theme.BackgroundTexturePath);
    text(theme.DominoesTexturePath);
    text(theme.BackDominoesTexturePath);
    return number(theme.BackDominoesBorder);
}

bool WriteThemeFile(const std::string& path, const ThemeValues& theme) {
    return platform::WriteLinesAtomic(path, ThemeFileLines(theme));
}

std::string CurrentThemeFile() { return InProgramDir("themes/" + AppSettings().ThemeFilePath); }

bool LoadThmFile() {
    if (!platform::IsSafeFileName(AppSettings().ThemeFilePath)) return false;
    return ReadThemeFile(CurrentThemeFile(), AppSettings());
}

bool SaveThmFile() { return SaveThmFileAs(AppSettings().ThemeFilePath, AppSettings()); }

bool SaveThmFileAs(const std::string& fileName, const ThemeValues& theme) {
    if (!platform::IsSafeFileName(fileName)) return false;
    const std::string folder = InProgramDir("themes");
    std::error_code error;
    std::filesystem::create_directories(platform::FileSystemName(folder), error);
    if (error) return false;
    return WriteThemeFile(folder + "/" + fileName, theme);
}

} // namespace client
