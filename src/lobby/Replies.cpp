#include "lobby/Replies.h"

#include <array>

#include "lobby/ReplyScanner.h"

namespace lobby {
namespace {

bool startsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

// Reads the fields of one record after its opening character. False when the text ended
// before the last field's terminator (a list cut short).
template <size_t N>
bool readFields(LobbyReplyScanner& scan, std::array<std::string_view, N>& fields) {
    for (auto& f : fields) {
        f = scan.Field();
        if (!scan.Terminated()) return false;
    }
    return true;
}

// The loop every list shares: records until the end marker, each read by `read` (false:
// the record is dropped), at most `bound` kept.
template <class T, size_t N, class Read>
ReplyList<T> readList(std::string_view reply, bool messageList, size_t bound, Read read) {
    ReplyList<T> list;
    LobbyReplyScanner scan(reply, messageList);
    while (scan.MoreRecords()) {
        scan.SkipOpening();
        std::array<std::string_view, N> fields;
        T record;
        if (!readFields(scan, fields) || !read(fields, record) || list.Records.size() >= bound)
            ++list.Dropped;
        else
            list.Records.push_back(std::move(record));
    }
    return list;
}

} // namespace

ReplyKind KindOf(std::string_view reply) {
    if (IsRefusal(reply)) return ReplyKind::Refusal;
    if (startsWith(reply, "*00:")) return ReplyKind::Competitions;
    if (startsWith(reply, "*01:")) return ReplyKind::Login;
    if (startsWith(reply, "*03:")) return ReplyKind::UserList;
    if (startsWith(reply, "*05:")) return ReplyKind::Messages;
    return ReplyKind::Other;
}

bool IsRefusal(std::string_view reply) { return startsWith(reply, "*rj:"); }

std::string RefusalReason(std::string_view reply) {
    return IsRefusal(reply) ? std::string(reply.substr(4, 2)) : std::string();
}

bool AccountRefused(std::string_view reply) { return startsWith(reply, "*rj:id**"); }

ReplyList<Competition> ReadCompetitions(std::string_view reply) {
    if (KindOf(reply) != ReplyKind::Competitions) return {};
    return readList<Competition, 2>(reply, false, MaxCompetitions, [](const auto& f, Competition& c) {
        c.Name = Cut(f[0], MaxFieldLength);
        return ParseDecimal(f[1], c.Kind);
    });
}

std::vector<std::string> CompetitionsOfKind(const ReplyList<Competition>& list, int kind) {
    std::vector<std::string> names;
    for (const auto& c : list.Records)
        if (c.Kind == kind) names.push_back(c.Name);
    return names;
}

ReplyList<cJoueur> ReadUserList(std::string_view reply) {
    const ReplyKind kind = KindOf(reply);
    if (kind != ReplyKind::Login && kind != ReplyKind::UserList) return {};
    return readList<cJoueur, 8>(reply, false, MaxUsers, [](const auto& f, cJoueur& u) {
        u.NameC = Cut(f[0], MaxFieldLength);
        u.NameOther = Cut(f[1], MaxFieldLength);
        u.Country = Cut(f[2], MaxFieldLength);
        u.Kind = Cut(f[3], MaxFieldLength);
        u.State = Cut(f[4], MaxFieldLength);
        u.ConnectedSince = Cut(f[5], MaxFieldLength);
        u.IP = Cut(f[6], MaxIPLength);
        return ParseDecimal(f[7], u.Port);
    });
}

ReplyList<aMessage> ReadMessages(std::string_view reply) {
    if (KindOf(reply) != ReplyKind::Messages) return {};
    return readList<aMessage, 6>(reply, true, MaxMessages, [](const auto& f, aMessage& m) {
        m.DateTime = Cut(f[1], MaxDateTimeLength);
        m.SenderIP = Cut(f[2], MaxIPLength);
        m.Extra = Cut(f[4], MaxFieldLength);
        m.Data = Cut(f[5], MaxDataLength);
        return ParseDecimal(f[0], m.Kind) && ParseDecimal(f[3], m.SenderPort);
    });
}

int ReturnIndexIP(const std::vector<cJoueur>& users, const std::string& ip, int port) {
    for (size_t i = 0; i < users.size(); ++i)
        if (users[i].IP == ip && users[i].Port == port) return static_cast<int>(i);
    return -1;
}

} // namespace lobby
