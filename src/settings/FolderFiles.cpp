#include "settings/FolderFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "settings/Settings.h"
#include "platform/ProgramFolder.h"

namespace client {

namespace fs = std::filesystem;

namespace {
bool endsWithNoCase(const std::string& name, const std::string& extension) {
    if (name.size() <= extension.size()) return false;
    return std::equal(extension.rbegin(), extension.rend(), name.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}
} // namespace

std::vector<std::string> FilesWithExtension(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(InProgramDir(folder), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (endsWithNoCase(name, extension) && it->is_regular_file(typeError)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool RemoveFileIn(const std::string& folder, const std::string& name) {
    if (!platform::IsSafeFileName(name)) return false;
    const fs::path path = fs::path(InProgramDir(folder)) / name;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec || !(fs::is_regular_file(status) || fs::is_symlink(status))) return false;
    return fs::remove(path, ec) && !ec;
}

} // namespace client
