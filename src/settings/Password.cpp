#include "Password.h"

namespace client {

std::string EncodePassword(const std::string& text) {
    std::string result;
    result.reserve(text.size() * 3);
    for (const char c : text) {
        const int code = static_cast<unsigned char>(c) + 37; // 37..292
        std::string digits = std::to_string(code);
        if (digits.size() < 3) digits.insert(digits.begin(), '0');
        result += digits;
    }
    return result;
}

std::string DecodePassword(const std::string& text) {
    std::string result;
    result.reserve(text.size() / 3 + 1);
    for (std::size_t pos = 0; pos < text.size(); pos += 3) {
        const std::string group = text.substr(pos, 3);
        int number = 0;
        for (const char c : group) {
            if (c < '0' || c > '9') return std::string();
            number = number * 10 + (c - '0');
        }
        const int code = ((number - 37) % 256 + 256) % 256;
        result.push_back(static_cast<char>(static_cast<unsigned char>(code)));
    }
    return result;
}

} // namespace client
