#pragma once
#include <QColor>
#include <QString>
#include <string>

// Colours are 0xBBGGRR ints in the model (red in the low byte); strings are 8-bit text.
namespace client {

inline QColor ToQColor(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
inline int FromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }
inline QString Q(const std::string& s) { return QString::fromLatin1(s.c_str(), int(s.size())); }
inline std::string S(const QString& s) { return s.toLatin1().toStdString(); }

} // namespace client
