#pragma once
#include <optional>
#include <string>

// The commands web pages give the client through their document title. Titles come from
// outside: every value taken from one is checked and bounded here.
namespace client {

// The version the banner page announces: characters 10 to 13 of a title that begins with
// "MORVATEL "; nothing for any other title.
std::optional<std::string> BannerVersion(const std::string& title);
// A plain character-by-character comparison: "3.1." is newer than "3.0.3", "3.0." is not.
bool IsNewerVersion(const std::string& announced, const std::string& own);

// "Logging nickname&password": the nickname runs to the first "&", the password is the
// whole rest. Nothing for another title, or for a value that is too long or holds a
// control character.
struct LoggingCommand {
    std::string Surname;
    std::string Password;
};
constexpr std::size_t MaxLoggingValue = 255;
std::optional<LoggingCommand> ParseLoggingTitle(const std::string& title);

// "Downloading kind!file!size".
struct DownloadOrder {
    enum class Status { NotACommand, KindNotANumber, Refused, Ready };
    Status Result = Status::NotACommand;
    std::string KindText;     // the text before the first "!"
    int Kind = -1;
    int PageOpt = 0;          // the list page to go back to
    std::string FileName;
    std::string LocalPath;    // below the program folder
    std::string RemoteUrl;    // FilesBaseUrl + folder + file, not yet encoded
    std::string ExtractDir;   // where an archive is unpacked
    std::string ExtractOnlyBelow;  // the folder below ExtractDir its entries must land in
    long long Size = 0;       // 0 when the title gives no valid number
    std::string Label;        // "Filename : file (size octets)"
};
// Kinds: 0 players, 1 themes, 2 languages (kept in "univers"), 3 textures (unpacked into
// "themes/textures"); an archive of each kind unpacks only into its own folder. Any other kind, and a file name that is empty, holds "/", "\",
// "..", or is absolute, is refused before anything is touched.
DownloadOrder ParseDownloadingTitle(const std::string& title, const std::string& programDir,
                                    const std::string& filesBaseUrl);

} // namespace client
