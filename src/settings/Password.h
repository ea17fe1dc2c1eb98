#pragma once
#include <string>

// The reversible text form in which the web-account password is kept in settings files:
// each character becomes its code + 37 written as three decimal digits.
namespace client {

// "abc" -> "134135136". Total: every input has an encoding.
std::string EncodePassword(const std::string& text);

// Groups of three characters (the last one may be shorter), each a decimal number from
// which 37 is taken, modulo 256. A group holding anything but digits makes the whole
// result empty.
std::string DecodePassword(const std::string& text);

} // namespace client
