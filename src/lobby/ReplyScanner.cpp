#include "lobby/ReplyScanner.h"

#include <charconv>

namespace lobby {

LobbyReplyScanner::LobbyReplyScanner(std::string_view reply, bool messageList)
    : text_(reply), messageList_(messageList) {}

bool LobbyReplyScanner::MoreRecords() const {
    if (AtEnd()) return false;
    const char c = text_[pos_];
    return c != '*' && !(messageList_ && c == ']');
}

void LobbyReplyScanner::SkipOpening() {
    if (!AtEnd()) ++pos_;
}

std::string_view LobbyReplyScanner::Field() {
    const size_t start = pos_;
    while (pos_ < text_.size() && !endsField(text_[pos_])) ++pos_;
    const std::string_view field = text_.substr(start, pos_ - start);
    terminated_ = pos_ < text_.size();
    if (terminated_ && text_[pos_] != '*') ++pos_;
    return field;
}

bool ParseDecimal(std::string_view text, int& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return false;
    }
    if (text.empty()) return false;
    int parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    value = parsed;
    return true;
}

std::string Cut(std::string_view text, size_t limit) {
    return std::string(text.substr(0, limit));
}

} // namespace lobby
