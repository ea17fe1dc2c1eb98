#pragma once
#include <string>
#include <vector>

// A small INI-file reader and writer with the classic semantics:
// - "[Section]" lines, then "key=value" lines; section and key names are matched without
//   regard to ASCII case, and keys may hold spaces ("CPU speed") exactly as written;
// - reading a key that is missing, or whose value cannot be converted, gives the default;
// - writing a key that exists replaces its value in place; a new key is appended at the end
//   of its section, a new section at the end of the file; every other line (comments,
//   unknown keys, blank lines) is kept as it was;
// - values are trimmed of surrounding blanks on reading, and one pair of surrounding double
//   quotes is removed; a value that would lose blanks or quotes that way (blanks only
//   included) is written in quotes, so every one-line value reads back as written;
// - text is 8-bit (each character one byte); CR LF or LF end a line on reading, CR LF is
//   written;
// - a file that cannot be read gives an empty INI; UpdateFile writes a temporary file and
//   renames it over the target, so a failure never leaves a truncated file.
// Changes are kept in memory until UpdateFile.
namespace platform {

class IniFile {
public:
    IniFile() = default;
    // Loads the file; a file that cannot be read gives an empty INI bound to that name.
    explicit IniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    // Decimal with an optional sign, or hexadecimal after "0x" or "$"; anything else, or a
    // number outside the 32-bit range, gives the default.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // An integer value: 0 is false, any other number true; otherwise the default.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    // A finite decimal number ("." or "," as the decimal separator); otherwise the default.
    double ReadFloat(const std::string& section, const std::string& key, double def) const;

    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value);
    // Writes the value as it stands, never in quotes (line breaks still dropped), for keys
    // whose readers trim it on purpose: a value of one blank reads back empty.
    void WriteUnquoted(const std::string& section, const std::string& key,
                       const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    // Written as "1" or "0".
    void WriteBool(const std::string& section, const std::string& key, bool value);
    // Shortest decimal text that reads back as the same double.
    void WriteFloat(const std::string& section, const std::string& key, double value);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    // Section names in file order.
    std::vector<std::string> ReadSections() const;

    // The file's lines as UpdateFile writes them.
    const std::vector<std::string>& Lines() const { return lines_; }

    // Writes the lines to FileName() with CR LF; false when the file could not be written,
    // in which case the previous file is left untouched.
    bool UpdateFile() const;

    // Number conversions used by the readers, for other line-based formats.
    static bool ParseInteger(const std::string& text, int& value);
    static bool ParseFloat(const std::string& text, double& value);
    static std::string FormatFloat(double value);

private:
    struct Entry {
        std::size_t line;   // index into lines_
        std::string key;    // as written, trimmed
    };
    struct Section {
        std::size_t header; // index of the "[...]" line
        std::string name;
        std::vector<Entry> entries;
        std::size_t lastLine; // last non-blank line that belongs to the section
    };

    void parse();
    const Section* findSection(const std::string& name) const;
    const Entry* findEntry(const Section& section, const std::string& key) const;
    bool rawValue(const std::string& section, const std::string& key, std::string& value) const;

    std::string fileName_;
    std::vector<std::string> lines_;
    std::vector<Section> sections_;
};

} // namespace platform
