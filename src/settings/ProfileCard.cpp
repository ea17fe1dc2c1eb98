#include "settings/ProfileCard.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "settings/FolderFiles.h"
#include "settings/Settings.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace client {

namespace fs = std::filesystem;

namespace {
constexpr std::size_t NameLimit = 15;

std::string from(const std::string& line, std::size_t column) {
    return line.size() >= column ? line.substr(column - 1) : std::string();
}

std::optional<int> integer(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 0x7fffffffLL) return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

std::string inFolder(const std::string& folder, const std::string& file) {
    if (!platform::IsSafeFileName(folder) || !platform::IsSafeFileName(file)) return {};
    return "players/" + folder + "/" + file;
}

bool isProfileName(const std::string& name) {
    if (!platform::IsSafeFileName(name) || name.size() <= 4) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".vrk";
}
} // namespace

bool StarShown(int stars, int k) { return k == 6 ? stars == 123 : stars >= k - 1; }

std::optional<ProfileCard> ReadProfileCard(const std::string& fileName) {
    if (!platform::IsSafeFileName(fileName)) return std::nullopt;
    std::optional<std::vector<std::string>> lines = platform::ReadLines(InProgramDir("players/" + fileName));
    if (!lines || lines->size() < 12) return std::nullopt;
    const std::vector<std::string>& l = *lines;
    const std::optional<int> stars = integer(from(l[5], 7));
    if (!stars) return std::nullopt;
    ProfileCard card;
    card.Editor = from(l[2], 8);
    card.Name = from(l[3], 6).substr(0, NameLimit);
    card.Origin = from(l[4], 9);
    card.Stars = *stars;
    card.Folder = from(l[6], 11);
    card.VoiceClip = inFolder(card.Folder, from(l[7], 25));
    card.Version = l[8].empty() ? std::string() : from(l[8], 9);
    card.Picture = inFolder(card.Folder, l[11]);
    return card;
}

std::vector<std::string> ListVrk() { return FilesWithExtension("players", ".vrk"); }

bool DeleteProfile(const std::string& fileName) {
    if (!isProfileName(fileName)) return false;
    const std::string folderName = fileName.substr(0, fileName.size() - 4);
    const bool removed = RemoveFileIn("players", fileName);
    const fs::path folder = platform::FileSystemName(InProgramDir("players/" + folderName));
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(folder, ec))) {
        std::vector<std::string> inside;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (auto name = platform::ModelPathOfName(it->path().filename().string())) inside.push_back(*name);
        for (const std::string& name : inside) RemoveFileIn("players/" + folderName, name);
        fs::remove(folder, ec);  // only once it is empty
    }
    return removed;
}

} // namespace client
