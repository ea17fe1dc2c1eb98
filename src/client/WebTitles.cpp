#include "client/WebTitles.h"

#include <charconv>

#include "platform/ProgramFolder.h"

namespace client {
namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool hasControl(const std::string& s) {
    for (unsigned char c : s)
        if (c < 32 || c == 127) return true;
    return false;
}

std::optional<long long> wholeNumber(const std::string& text) {
    long long v = 0;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || p != end || text.empty()) return std::nullopt;
    return v;
}

struct KindRow {
    int pageOpt;
    const char* localFolder;
    const char* remoteFolder;
    const char* extractFolder;
    const char* onlyBelow;  // every entry of the archive must land in this folder
};
constexpr KindRow Kinds[] = {
    {3, "players/", "players/", "", "players"},
    {1, "themes/", "themes/", "", "themes"},
    {4, "univers/", "languages/", "", "univers"},
    {2, "themes/", "textures/", "themes/textures", ""},
};

} // namespace

std::optional<std::string> BannerVersion(const std::string& title) {
    if (!startsWith(title, "MORVATEL ")) return std::nullopt;
    return title.substr(9, 4);
}

bool IsNewerVersion(const std::string& announced, const std::string& own) { return announced > own; }

std::optional<LoggingCommand> ParseLoggingTitle(const std::string& title) {
    static const std::string word = "Logging ";
    if (!startsWith(title, word)) return std::nullopt;
    const std::string rest = title.substr(word.size());
    const auto amp = rest.find('&');
    LoggingCommand c;
    c.Surname = rest.substr(0, amp);
    if (amp != std::string::npos) c.Password = rest.substr(amp + 1);
    if (c.Surname.size() > MaxLoggingValue || c.Password.size() > MaxLoggingValue) return std::nullopt;
    if (hasControl(c.Surname) || hasControl(c.Password)) return std::nullopt;
    return c;
}

DownloadOrder ParseDownloadingTitle(const std::string& title, const std::string& programDir,
                                    const std::string& filesBaseUrl) {
    static const std::string word = "Downloading ";
    DownloadOrder d;
    if (!startsWith(title, word)) return d;
    const std::string rest = title.substr(word.size());
    const auto bang = rest.find('!');
    d.KindText = rest.substr(0, bang);
    const auto kind = wholeNumber(d.KindText);
    if (!kind) {
        d.Result = DownloadOrder::Status::KindNotANumber;
        return d;
    }
    d.Result = DownloadOrder::Status::Refused;
    if (*kind < 0 || *kind > 3) return d;
    d.Kind = static_cast<int>(*kind);
    const std::string fileAndSize = bang == std::string::npos ? std::string() : rest.substr(bang + 1);
    const auto bang2 = fileAndSize.find('!');
    d.FileName = fileAndSize.substr(0, bang2);
    if (!platform::IsSafeFileName(d.FileName) || hasControl(d.FileName)) return d;
    const auto size = bang2 == std::string::npos ? std::nullopt : wholeNumber(fileAndSize.substr(bang2 + 1));
    d.Size = size && *size > 0 ? *size : 0;

    const KindRow& row = Kinds[d.Kind];
    d.PageOpt = row.pageOpt;
    d.LocalPath = programDir + row.localFolder + d.FileName;
    d.RemoteUrl = filesBaseUrl + row.remoteFolder + d.FileName;
    d.ExtractDir = programDir + row.extractFolder;
    if (!d.ExtractDir.empty() && d.ExtractDir.back() == '/') d.ExtractDir.pop_back();
    d.ExtractOnlyBelow = row.onlyBelow;
    d.Label = "Filename : " + d.FileName + " (" + std::to_string(d.Size) + " octets)";
    d.Result = DownloadOrder::Status::Ready;
    return d;
}

} // namespace client
