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
    fs::directory_iterator it(platform::FileSystemName(InProgramDir(folder)), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        // A name Latin-1 cannot hold could not be kept in a settings or profile file.
        const std::optional<std::string> name = platform::ModelPathOfName(it->path().filename().string());
        std::error_code typeError;
        // A name no settings or theme file could store (a line end, say) is not offered.
        if (name && endsWithNoCase(*name, extension) && platform::IsSafeFileName(*name) &&
            it->is_regular_file(typeError))
            names.push_back(*name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool RemoveFileIn(const std::string& folder, const std::string& name) {
    if (!platform::IsSafeFileName(name)) return false;
    const fs::path path = platform::FileSystemName(InProgramDir(folder + "/" + name));
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec || !(fs::is_regular_file(status) || fs::is_symlink(status))) return false;
    return fs::remove(path, ec) && !ec;
}

} // namespace client
