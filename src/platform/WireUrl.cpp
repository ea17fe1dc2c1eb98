#include "platform/WireUrl.h"

#include <cctype>
#include <cstring>

namespace platform {

std::string WireUrl(const std::string& url) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(url.size());
    for (size_t i = 0; i < url.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(url[i]);
        const bool escape = c == '%' && i + 2 < url.size() &&
                            std::isxdigit(static_cast<unsigned char>(url[i + 1])) &&
                            std::isxdigit(static_cast<unsigned char>(url[i + 2]));
        const bool raw = c > 0x20 && c < 0x7F && std::strchr("\"<>\\^`{|}", c) == nullptr &&
                         (c != '%' || escape);
        if (raw) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

QUrl ToQUrl(const std::string& url) {
    const std::string wire = WireUrl(url);
    return QUrl::fromEncoded(QByteArray(wire.data(), static_cast<qsizetype>(wire.size())));
}

} // namespace platform
