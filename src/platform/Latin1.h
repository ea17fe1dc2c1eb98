#pragma once
#include <QString>
#include <string>

// Every text of the model (std::string), of the wire and of the files is Latin-1: one byte
// per character. A text becomes a QString, and a QString a text, only through this pair.
namespace platform {

inline QString Q(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
// A character Latin-1 cannot hold becomes "?"; where a user types, such a character is
// refused before it gets here (FitsLatin1).
inline std::string S(const QString& s) {
    const QByteArray bytes = s.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
// A text the system makes for the user (a date or a time in the locale's format): a
// character Latin-1 cannot hold (a narrow no-break space, say) becomes a blank.
inline std::string SWithBlanks(const QString& s) {
    std::string out;
    out.reserve(static_cast<std::size_t>(s.size()));
    for (const QChar c : s) out += c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : ' ';
    return out;
}
// Bytes as they came (a reply body, a file): already Latin-1 text, nothing is converted.
inline std::string Bytes(const QByteArray& b) { return std::string(b.constData(), static_cast<std::size_t>(b.size())); }
// A symbol drawn on a control (a star, a player button): one character, not a text.
inline QString Glyph(char32_t c) { return QString::fromUcs4(&c, 1); }
// True when every character of the text has a Latin-1 byte.
inline bool FitsLatin1(const QString& s) {
    for (const QChar c : s)
        if (c.unicode() > 0xFF) return false;
    return true;
}

} // namespace platform
