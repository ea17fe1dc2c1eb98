#pragma once
#include <optional>
#include <string>
#include <vector>

// Line-oriented 8-bit text files. Every character is one byte (Latin-1); lines are written
// with CR LF, and both CR LF and LF end a line when reading. Paths are model paths, opened
// through FileSystemName (ProgramFolder.h).
namespace platform {

// All lines of the file, or nothing when it cannot be opened. A last line without an end
// is kept; a final line end does not add an empty line.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);

// Splits a buffer into lines the same way ReadLines does.
std::vector<std::string> SplitLines(const std::string& text);

// Writes the lines, each followed by CR LF, to a temporary file beside the target (the
// target's name + ".tmp"), flushes it to the disk and renames it over the target, so that a
// failure, a kill or a power loss leaves either the old file or the new one, whole. A
// temporary file left by an interrupted save is removed first. False on failure. Files read
// by other programs of the desktop take "\n" as their line end.
bool WriteLinesAtomic(const std::string& path, const std::vector<std::string>& lines,
                      const char* lineEnd = "\r\n");

// A value stored as one line of a file cannot hold a line end: CR, LF and NUL are removed.
// Texts set from outside pass through it where they are set, so that what is kept is what
// a save writes and a load reads back.
std::string OneLine(const std::string& text);
bool IsOneLine(const std::string& text);

bool FileExists(const std::string& path);

// Reads lines one at a time, yielding empty lines past the end of the file, the way the
// classic line reader of the profiles and settings files behaves.
class LineReader {
public:
    explicit LineReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    std::string next() { return pos_ < lines_.size() ? lines_[pos_++] : std::string(); }
    bool atEnd() const { return pos_ >= lines_.size(); }
    std::size_t position() const { return pos_; }

private:
    std::vector<std::string> lines_;
    std::size_t pos_ = 0;
};

} // namespace platform
