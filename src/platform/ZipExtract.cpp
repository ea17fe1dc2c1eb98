#include "platform/ZipExtract.h"

#include "platform/ZipUnpacker.h"

namespace platform {

bool IsSafeEntryName(const std::string& name) {
    if (name.empty() || name.front() == '/') return false;
    if (name.find('\\') != std::string::npos) return false;
    for (unsigned char c : name)
        if (c < 32 || c == 127) return false;  // NUL, line ends, escapes
    std::size_t start = 0;
    bool first = true;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == "..") return false;
        if (first && part.size() >= 2 && part[1] == ':') return false;  // a drive: "C:..."
        first = false;
        start = end + 1;
    }
    return true;
}

std::optional<std::string> EntryPath(const std::string& stored) {
    std::string name = stored;
    for (char& c : name)
        if (c == '\\') c = '/';
    if (!IsSafeEntryName(name)) return std::nullopt;
    std::string path;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        const std::string part = name.substr(start, end - start);
        if (!part.empty() && part != ".") path += (path.empty() ? "" : "/") + part;
        start = end + 1;
    }
    if (path.empty()) return std::nullopt;
    return path;
}

bool LiesBelow(const std::string& path, const std::string& folder) {
    if (folder.empty()) return true;
    return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                              path[folder.size()] == '/');
}

ZipOutcome ExtractZip(const std::string& archive, const std::string& baseDir, const ZipLimits& limits,
                      const std::string& onlyBelow) {
    ZipUnpacker unpacker(archive, baseDir, onlyBelow, limits);
    while (unpacker.Step()) {
    }
    return unpacker.Outcome();
}

} // namespace platform
