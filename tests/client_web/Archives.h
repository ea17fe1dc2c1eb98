#pragma once
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <string>
#include <utility>
#include <vector>

// Zip archives for the download tests. Real ones come from the zip tool over a folder tree;
// hostile ones (names that leave their folder) are written byte by byte.
using ZipEntries = std::vector<std::pair<std::string, std::string>>;  // name, content

// Zips the files (relative names, with their folders) with the zip tool; the archive's bytes.
inline QByteArray ZipWithTool(const ZipEntries& files) {
    QTemporaryDir dir;
    for (const auto& [name, content] : files) {
        const QString path = dir.filePath(QString::fromStdString(name));
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(content.data(), qint64(content.size()));
    }
    QProcess zip;
    zip.setWorkingDirectory(dir.path());
    zip.start("zip", {"-q", "-r", "out.zip", "."});
    zip.waitForFinished(20000);
    QFile out(dir.filePath("out.zip"));
    return out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
}

// An archive whose entries carry exactly these names, stored uncompressed (written here,
// since no tool stores names such as "../x" as they stand).
inline QByteArray ZipWithNames(const ZipEntries& entries) {
    auto crc32 = [](const std::string& data) {
        quint32 c = 0xFFFFFFFFu;
        for (unsigned char b : data) {
            c ^= b;
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
        }
        return ~c;
    };
    auto le = [](QByteArray& out, quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i) out += char((v >> (8 * i)) & 0xFF);
    };
    QByteArray local, central;
    for (const auto& [name, content] : entries) {
        const quint32 crc = crc32(content), size = quint32(content.size()), offset = quint32(local.size());
        local += "PK\x03\x04";
        le(local, 20, 2), le(local, 0, 2), le(local, 0, 2), le(local, 0, 2), le(local, 0, 2);
        le(local, crc, 4), le(local, size, 4), le(local, size, 4), le(local, quint32(name.size()), 2), le(local, 0, 2);
        local += QByteArray::fromStdString(name) + QByteArray::fromStdString(content);
        central += "PK\x01\x02";
        le(central, 20, 2), le(central, 20, 2), le(central, 0, 2), le(central, 0, 2), le(central, 0, 2);
        le(central, 0, 2), le(central, crc, 4), le(central, size, 4), le(central, size, 4);
        le(central, quint32(name.size()), 2), le(central, 0, 2), le(central, 0, 2), le(central, 0, 2);
        le(central, 0, 2), le(central, 0, 4), le(central, offset, 4);
        central += QByteArray::fromStdString(name);
    }
    QByteArray out = local + central + "PK\x05\x06";
    le(out, 0, 2), le(out, 0, 2), le(out, quint32(entries.size()), 2), le(out, quint32(entries.size()), 2);
    le(out, quint32(central.size()), 4), le(out, quint32(local.size()), 4), le(out, 0, 2);
    return out;
}

// An archive that lists no entry: the end record alone.
inline QByteArray EmptyZip() { return QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'); }

inline void WriteBytes(const std::string& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
    QFile f(QString::fromStdString(path));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

inline std::string ReadText(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

inline bool Exists(const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }

// Every file below a folder, relative, sorted.
inline QStringList FilesBelow(const std::string& folder) {
    QStringList out;
    QDir base(QString::fromStdString(folder));
    std::function<void(const QString&)> walk = [&](const QString& dir) {
        for (const QFileInfo& fi : QDir(dir).entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden)) {
            if (fi.isDir()) walk(fi.filePath());
            else out << base.relativeFilePath(fi.filePath());
        }
    };
    walk(base.path());
    out.sort();
    return out;
}
