#include "ProgramFolder.h"

#include "TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Latin1.h"

namespace platform {
namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString ProgramDir() {
    if (!overrideFolder().isEmpty()) return overrideFolder();
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    if (!exe.isEmpty()) return QFileInfo(exe).path();
    return QDir::currentPath();
}

std::string ProgramFolder() {
    const QString folder = ProgramDir();
    return FitsLatin1(folder) ? S(folder) : std::string(".");
}

bool ChangeToProgramFolder() { return QDir::setCurrent(ProgramDir()); }

void SetProgramFolderForTests(const std::string& folder) { overrideFolder() = Q(folder); }
void SetProgramDirForTests(const QString& folder) { overrideFolder() = folder; }

QString FileSystemPath(const std::string& path) { return Q(path); }

std::string FileSystemName(const std::string& path) { return Bytes(QFile::encodeName(FileSystemPath(path))); }

std::optional<std::string> ModelPath(const QString& path) {
    if (FitsLatin1(path)) return S(path);
    const QString folder = QDir::cleanPath(ProgramDir()) + QLatin1Char('/');
    const QString clean = QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(path));
    if (clean.startsWith(folder) && FitsLatin1(clean.mid(folder.size()))) return S(clean.mid(folder.size()));
    return std::nullopt;
}

std::optional<std::string> ModelPathOfName(const std::string& fileSystemName) {
    return ModelPath(QFile::decodeName(QByteArray(fileSystemName.data(), static_cast<qsizetype>(fileSystemName.size()))));
}

QString ArchiveEntryName(const std::string& utf8Name) {
    return QString::fromUtf8(utf8Name.data(), static_cast<qsizetype>(utf8Name.size()));
}

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
