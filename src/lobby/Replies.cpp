#include "lobby/Replies.h"

#include <charconv>

namespace lobby {

namespace {

std::optional<int> toInt(const std::string& text) {
    int value = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    while (b < e && *b == ' ') ++b;
    if (b < e && *b == '+') ++b;
    const auto [end, err] = std::from_chars(b, e, value);
    if (err != std::errc{} || end != e || b == e) return std::nullopt;
    return value;
}

bool startsWith(const std::string& text, const char* head) { return text.rfind(head, 0) == 0; }

} // namespace

std::string LobbyReplyScanner::Field() {
    std::string out;
    while (!AtEnd()) {
        const char c = text_[pos_];
        if (c == ';' || c == ']') {
            ++pos_;
            break;
        }
        if (stopAtStar_ && c == '*') break;
        out += c;
        ++pos_;
    }
    return out;
}

std::optional<std::string> RefusalReason(const std::string& reply) {
    if (!startsWith(reply, "*rj:")) return std::nullopt;
    return reply.substr(4, 2);
}

bool IsReply(const std::string& reply, const char* head) { return startsWith(reply, head); }

std::vector<UserRecord> ReadUserList(const std::string& reply) {
    std::vector<UserRecord> users;
    if (!startsWith(reply, "*01:") && !startsWith(reply, "*03:")) return users;
    LobbyReplyScanner scan(reply, 4, false);
    while (!scan.AtEnd() && scan.Current() != '*') {
        scan.Skip();
        UserRecord u;
        u.NameC = scan.Field();
        u.NameOther = scan.Field();
        u.Info = scan.Field();
        u.Kind = scan.Field();
        u.State = scan.Field();
        u.Extra = scan.Field();
        u.IP = scan.Field().substr(0, 20);
        const auto port = toInt(scan.Field());
        if (!port) continue;
        u.Port = *port;
        if (users.size() < MaxUsersPerReply) users.push_back(std::move(u));
    }
    return users;
}

std::vector<aMessage> ReadMessages(const std::string& reply) {
    std::vector<aMessage> messages;
    if (!startsWith(reply, "*05:")) return messages;
    LobbyReplyScanner scan(reply, 4, true);
    while (!scan.AtEnd() && scan.Current() != '*' && scan.Current() != ']') {
        scan.Skip();
        aMessage m;
        const auto kind = toInt(scan.Field());
        m.DateTime = scan.Field().substr(0, 20);
        m.SenderIP = scan.Field();
        const auto port = toInt(scan.Field());
        m.Extra = scan.Field();
        m.Data = scan.Field().substr(0, 255);
        if (!kind || !port) continue;
        m.Kind = *kind;
        m.SenderPort = *port;
        if (messages.size() < MaxMessagesPerReply) messages.push_back(std::move(m));
    }
    return messages;
}

std::vector<std::string> ReadCompetitions(const std::string& reply) {
    std::vector<std::string> names;
    if (!startsWith(reply, "*00:")) return names;
    LobbyReplyScanner scan(reply, 4, false);
    while (!scan.AtEnd() && scan.Current() != '*') {
        scan.Skip();
        std::string name = scan.Field();
        const auto number = toInt(scan.Field());
        if (number && *number == 0 && names.size() < MaxUsersPerReply) names.push_back(std::move(name));
    }
    return names;
}

int ReturnIndexIP(const std::vector<cJoueur>& users, const std::string& ip, int port) {
    for (std::size_t i = 0; i < users.size(); ++i)
        if (users[i].IP == ip && users[i].Port == port) return static_cast<int>(i);
    return -1;
}

} // namespace lobby
