#include "client/PageAddress.h"

#include <cctype>
#include <cstring>

namespace client {

QUrl PageRequestUrl(const std::string& address) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray encoded;
    for (std::size_t i = 0; i < address.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(address[i]);
        const bool escape = i + 2 < address.size() &&
                            std::isxdigit(static_cast<unsigned char>(address[i + 1])) &&
                            std::isxdigit(static_cast<unsigned char>(address[i + 2]));
        const bool unsafe = c <= 32 || c >= 127 || std::strchr("\"<>\\^`{|}", c) != nullptr ||
                            (c == '%' && !escape);
        if (unsafe) {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        } else {
            encoded += char(c);
        }
    }
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

} // namespace client
