#include "lobby/Stamps.h"

#include "platform/Latin1.h"

namespace lobby {
namespace {

// The long time format without its time-zone letters ("t") and the blanks around them;
// quoted literals are kept as they are.
QString timeFormatWithoutZone(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') continue;
        out += c;
    }
    return out.simplified();
}

} // namespace

std::string ShortDateText(const QDate& date, const QLocale& locale) {
    return platform::SWithBlanks(locale.toString(date, QLocale::ShortFormat));
}

std::string LongTimeText(const QTime& time, const QLocale& locale) {
    return platform::SWithBlanks(locale.toString(time, timeFormatWithoutZone(locale)));
}

std::string StampA(const QDateTime& at, const QLocale& locale) {
    return ShortDateText(at.date(), locale) + "/" + LongTimeText(at.time(), locale);
}

std::string StampB(const QDateTime& at, const QLocale& locale) {
    return "on " + ShortDateText(at.date(), locale) + " at " + LongTimeText(at.time(), locale);
}

std::string ComposerStamp(const QDateTime& at, const QLocale& locale) {
    return " le " + ShortDateText(at.date(), locale) + " \xE0 " + LongTimeText(at.time(), locale);
}

} // namespace lobby
