#pragma once
#include <QDateTime>
#include <QLocale>
#include <string>

// The time stamps the lobby requests carry, as 8-bit text. Dates use the locale's short
// date format and times its long time format without the time zone; a character outside
// Latin-1 (a narrow blank, say) becomes a blank.
namespace lobby {

std::string ShortDateText(const QDate& date, const QLocale& locale = QLocale::system());
std::string LongTimeText(const QTime& time, const QLocale& locale = QLocale::system());

// Stamp A: date + "/" + time (the login's wdatetime, the server's connect time).
std::string StampA(const QDateTime& at, const QLocale& locale = QLocale::system());
// Stamp B: "on " + date + " at " + time (wdatetime of the messages of kinds 2 to 7).
std::string StampB(const QDateTime& at, const QLocale& locale = QLocale::system());
// The message composer's stamp: " le " + date + " à " + time (à is byte 224).
std::string ComposerStamp(const QDateTime& at, const QLocale& locale = QLocale::system());

} // namespace lobby
