#pragma once
#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <string>

// Small helpers for tests that work on files in a temporary folder.
namespace testfiles {

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Joins lines with CR LF, each line ended.
inline std::string CrLf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

inline std::string Path(const QTemporaryDir& dir, const std::string& name) {
    return dir.path().toStdString() + "/" + name;
}

} // namespace testfiles
