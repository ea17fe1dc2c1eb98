#pragma once
#include <QColor>
#include <QString>
#include <string>

#include "platform/Latin1.h"

// Colours are 0xBBGGRR ints in the model (red in the low byte); strings are Latin-1 text.
namespace client {

inline QColor ToQColor(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
inline int FromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }
// Texts: the platform's one pair of conversions (Latin1.h).
using platform::FitsLatin1;
using platform::Q;
using platform::S;

} // namespace client
