#pragma once
#include <QUrl>
#include <string>

// The address of a site page as the browser engine requests it. Page addresses are built
// from the account as it stands (a nickname or a password may hold a blank or an accented
// letter) and are not encoded; here every byte an address cannot carry (a blank, a control
// character, a byte of 128 or more, a stray "%", and " < > \ ^ ` { | }) becomes "%" and its
// two hex digits, the Latin-1 byte itself, and everything else travels as built.
namespace client {

QUrl PageRequestUrl(const std::string& address);

} // namespace client
