#include "TextFile.h"

#include <cstdio>
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
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return SplitLines(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool WriteLinesAtomic(const std::string& path, const std::vector<std::string>& lines) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        for (const std::string& line : lines) {
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
            out.write("\r\n", 2);
        }
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace platform
