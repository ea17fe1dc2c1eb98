#pragma once
#include <string>

// Percent-encoding of lobby addresses. Text is 8-bit: every char is one byte.
namespace lobby {

// A blank, "*", "#", "%", "<", ">" and every byte of 128 or more become "%" and two
// upper-case hex digits; everything else is copied ("&", "=", "?", "/", ":" included).
// Applied to whole addresses: the base, the script and the keys.
std::string UrlEncode(const std::string& text);

// The same rule for one value inside a query, which also encodes "&", "=" and "+" so that
// a value holding one can neither split the query nor turn into a blank at the site.
std::string UrlEncodeValue(const std::string& value);

} // namespace lobby
