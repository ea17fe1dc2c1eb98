#include "TextFile.h"

#include "ProgramFolder.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    bool pending = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            if (!current.empty() && current.back() == '\r') current.pop_back();
            lines.push_back(current);
            current.clear();
            pending = false;
        } else {
            current.push_back(c);
            pending = true;
        }
    }
    if (pending) {
        if (!current.empty() && current.back() == '\r') current.pop_back();
        lines.push_back(current);
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
    if (!FileExists(path)) return std::nullopt;  // a folder is no file
    try {
        std::ifstream in(FileSystemName(path), std::ios::binary);
        if (!in) return std::nullopt;
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return SplitLines(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

namespace {

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; some file systems cannot sync a folder, which is no error.
void syncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool WriteLinesAtomic(const std::string& modelPath, const std::vector<std::string>& lines,
                      const char* lineEnd) {
    const std::string path = FileSystemName(modelPath);
    const std::string temp = path + ".tmp";
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += lineEnd;
    }
    // A stray temporary file (an interrupted save) goes first; whatever takes its name
    // then, even a link planted there, is never written through.
    ::unlink(temp.c_str());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolderOf(path);
    return true;
}

std::string OneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\0') out.push_back(c);
    return out;
}

bool IsOneLine(const std::string& text) { return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos; }

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(FileSystemName(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace platform
