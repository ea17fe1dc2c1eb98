#include "ProgramFolder.h"

#include "TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <unistd.h>

namespace platform {
namespace {
std::string& overrideFolder() {
    static std::string folder;
    return folder;
}
} // namespace

std::string ProgramFolder() {
    if (!overrideFolder().empty()) return overrideFolder();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath().toStdString();
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof(buf) - 1);
    if (n > 0) {
        buf[n] = '\0';
        std::string path(buf);
        const auto slash = path.rfind('/');
        if (slash != std::string::npos) return path.substr(0, slash);
    }
    return QDir::currentPath().toStdString();
}

bool ChangeToProgramFolder() { return ::chdir(ProgramFolder().c_str()) == 0; }

void SetProgramFolderForTests(const std::string& folder) { overrideFolder() = folder; }

bool IsSafeFileName(const std::string& name) {
    // A name holding a line end could not be stored in a settings or theme file either.
    if (name.empty() || !IsOneLine(name)) return false;
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) return false;
    return name.find("..") == std::string::npos;
}

std::string FileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace platform
