#include "lobby/UrlEncode.h"

namespace lobby {
namespace {

void appendEncoded(std::string& out, unsigned char c) {
    static const char hex[] = "0123456789ABCDEF";
    out += '%';
    out += hex[c >> 4];
    out += hex[c & 15];
}

bool alwaysEncoded(unsigned char c) {
    return c == ' ' || c == '*' || c == '#' || c == '%' || c == '<' || c == '>' || c >= 128;
}

} // namespace

std::string UrlEncode(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (alwaysEncoded(c)) appendEncoded(out, c);
        else out += static_cast<char>(c);
    }
    return out;
}

std::string UrlEncodeValue(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (unsigned char c : value) {
        if (alwaysEncoded(c) || c == '&' || c == '=' || c == '+') appendEncoded(out, c);
        else out += static_cast<char>(c);
    }
    return out;
}

} // namespace lobby
