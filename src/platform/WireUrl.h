#pragma once
#include <QUrl>
#include <string>

namespace platform {

// An address as it may travel in a request line: every byte that cannot go raw (controls,
// a blank, bytes from 127 up, '"', "<", ">", "\", "^", "`", "{", "|", "}", and a "%" that
// starts no escape) becomes "%" and two upper-case hex digits; the rest, escapes included,
// is kept as it is, so an address that is already encoded does not change.
std::string WireUrl(const std::string& url);
// The address for Qt (a page in a browser): its bytes as WireUrl makes them, so that a
// Latin-1 "\xE9" travels as "%E9", as in every lobby request, never as UTF-8.
QUrl ToQUrl(const std::string& url);

} // namespace platform
