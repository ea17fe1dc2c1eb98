#include "IniFile.h"

#include "TextFile.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>

namespace platform {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

// A line break inside a value or a name would split it into lines of its own (and could
// forge other keys), so line breaks and NUL bytes are dropped on writing, and on reading
// too, so that a value read is one that a save writes back unchanged.
std::string singleLine(const std::string& text) { return OneLine(text); }

// Reading trims blanks and removes one pair of surrounding quotes; a value that would be
// changed by that (blanks at either end, blanks only, quotes at both ends) is written in
// quotes so that it reads back as written.
std::string encodeValue(const std::string& raw) {
    const std::string value = singleLine(raw);
    if (value.empty()) return value;
    const bool edgeBlank = isBlank(value.front()) || isBlank(value.back());
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (edgeBlank || quoted) return '"' + value + '"';
    return value;
}

std::string decodeValue(const std::string& text) {
    std::string value = trim(singleLine(text));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

bool isSectionLine(const std::string& trimmed) { return !trimmed.empty() && trimmed.front() == '['; }

std::string sectionName(const std::string& trimmed) {
    const std::size_t close = trimmed.find(']');
    const std::size_t end = close == std::string::npos ? trimmed.size() : close;
    return trim(trimmed.substr(1, end - 1));
}

} // namespace

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName)) {
    try {
        if (auto lines = ReadLines(fileName_)) lines_ = std::move(*lines);
    } catch (const std::exception&) {
        lines_.clear(); // a read error (a folder of that name, say) gives an empty INI
    }
    parse();
}

void IniFile::parse() {
    sections_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string line = trim(lines_[i]);
        if (line.empty()) continue;
        if (isSectionLine(line)) {
            sections_.push_back(Section{i, sectionName(line), {}, i});
            continue;
        }
        if (sections_.empty()) continue; // lines before the first section belong to none
        Section& section = sections_.back();
        section.lastLine = i;
        if (line.front() == ';') continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = trim(line.substr(0, eq));
        if (!key.empty()) section.entries.push_back(Entry{i, std::move(key)});
    }
}

const IniFile::Section* IniFile::findSection(const std::string& name) const {
    const std::string wanted = trim(name);
    for (const Section& section : sections_)
        if (sameName(section.name, wanted)) return &section;
    return nullptr;
}

const IniFile::Entry* IniFile::findEntry(const Section& section, const std::string& key) const {
    const std::string wanted = trim(key);
    for (const Entry& entry : section.entries)
        if (sameName(entry.key, wanted)) return &entry;
    return nullptr;
}

bool IniFile::rawValue(const std::string& section, const std::string& key,
                       std::string& value) const {
    const Section* s = findSection(section);
    if (!s) return false;
    const Entry* e = findEntry(*s, key);
    if (!e) return false;
    const std::string& line = lines_[e->line];
    value = decodeValue(line.substr(line.find('=') + 1));
    return true;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    std::string value;
    return rawValue(section, key, value) ? value : def;
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    std::string text;
    int value = 0;
    if (rawValue(section, key, text) && ParseInteger(text, value)) return value;
    return def;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double IniFile::ReadFloat(const std::string& section, const std::string& key, double def) const {
    std::string text;
    double value = 0.0;
    if (rawValue(section, key, text) && ParseFloat(text, value)) return value;
    return def;
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    const std::string sectionText = trim(singleLine(section));
    const std::string keyText = trim(singleLine(key));
    if (keyText.empty()) return;
    const std::string encoded = encodeValue(value);
    if (const Section* s = findSection(sectionText)) {
        if (const Entry* e = findEntry(*s, keyText)) {
            lines_[e->line] = e->key + "=" + encoded;
            return;
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(s->lastLine + 1),
                      keyText + "=" + encoded);
    } else {
        if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + sectionText + "]");
        lines_.push_back(keyText + "=" + encoded);
    }
    parse();
}

void IniFile::WriteUnquoted(const std::string& section, const std::string& key,
                            const std::string& value) {
    WriteString(section, key, "");
    const Section* s = findSection(trim(singleLine(section)));
    const Entry* e = s ? findEntry(*s, trim(singleLine(key))) : nullptr;
    if (e) lines_[e->line] = e->key + "=" + singleLine(value);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteFloat(const std::string& section, const std::string& key, double value) {
    WriteString(section, key, FormatFloat(value));
}

bool IniFile::SectionExists(const std::string& section) const {
    return findSection(section) != nullptr;
}

bool IniFile::ValueExists(const std::string& section, const std::string& key) const {
    const Section* s = findSection(section);
    return s && findEntry(*s, key);
}

std::vector<std::string> IniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const Section& section : sections_) names.push_back(section.name);
    return names;
}

bool IniFile::UpdateFile() const {
    if (fileName_.empty()) return false;
    return WriteLinesAtomic(fileName_, lines_);
}

bool IniFile::ParseInteger(const std::string& text, int& value) {
    const std::string t = trim(text);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) {
        negative = t[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (pos < t.size() && t[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos + 1 < t.size() && t[pos] == '0' && (t[pos + 1] == 'x' || t[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= t.size() || t[pos] == '+' || t[pos] == '-') return false;
    std::uint64_t magnitude = 0;
    const char* first = t.data() + pos;
    const char* last = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(first, last, magnitude, base);
    if (ec != std::errc() || ptr != last) return false;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<int>::min())
                                        : std::numeric_limits<int>::max();
    if (magnitude > static_cast<std::uint64_t>(limit)) return false;
    const std::int64_t signedValue =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    value = static_cast<int>(signedValue);
    return true;
}

bool IniFile::ParseFloat(const std::string& text, double& value) {
    std::string t = trim(text);
    if (t.find('.') == std::string::npos) {
        const std::size_t comma = t.find(',');
        if (comma != std::string::npos && t.find(',', comma + 1) == std::string::npos)
            t[comma] = '.';
    }
    if (!t.empty() && t.front() == '+') t.erase(0, 1);
    if (t.empty() || t.front() == '+') return false;
    double parsed = 0.0;
    const char* last = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(t.data(), last, parsed, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

std::string IniFile::FormatFloat(double value) {
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof(buf), value);
    if (ec != std::errc()) return "0";
    return std::string(buf, ptr);
}

} // namespace platform
