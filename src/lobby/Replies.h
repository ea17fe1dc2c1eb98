#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Readers of the lobby's replies. A reply's first four characters say what follows:
// "*rj:" + two letters (a refusal), "*00:" competitions, "*01:" / "*03:" the user list,
// "*05:" the messages addressed to the player. Records follow from the fifth character,
// each one opening character and its fields, every field ended by ";" or "]".
namespace lobby {

// A reply held in the lobby's one reply buffer comes from the site: the readers never read
// past its end and keep at most these many records of one reply.
inline constexpr std::size_t MaxUsersPerReply = 500;
inline constexpr std::size_t MaxMessagesPerReply = 100;

// Steps over the fields of a reply. A field runs up to the next terminator, which the
// scanner then steps over; the end of the text also ends a field.
class LobbyReplyScanner {
public:
    // `stopAtStar`: "*" ends a field too (the message list).
    LobbyReplyScanner(const std::string& reply, std::size_t position, bool stopAtStar)
        : text_(reply), pos_(position), stopAtStar_(stopAtStar) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Current() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Skip() {
        if (!AtEnd()) ++pos_;
    }
    std::string Field();

private:
    const std::string& text_;
    std::size_t pos_;
    bool stopAtStar_;
};

// One user record of a "*01:" or "*03:" reply, its eight fields in order.
struct UserRecord {
    std::string NameC;      // 1: the name in " (C)" competitions
    std::string NameOther;  // 2: the name in other competitions
    std::string Info;       // 3: shown in the list's second column
    std::string Kind;       // 4: "Se" a host, anything else a guest
    std::string State;      // 5: "fr" free, "lk" linked, "bs" playing
    std::string Extra;      // 6: shown in the list's fifth column
    std::string IP;         // 7: cut to 20 characters
    int Port = 0;           // 8
};

// One lobby user, as the lobby window keeps it.
struct cJoueur {
    std::string NameC;
    std::string NameOther;
    int Port = 0;
    std::string IP;
};

// One relayed message.
struct aMessage {
    int Kind = 0;            // the wtype: 1 private, 2 invitation, 3 refusal, 4 acceptance,
                             // 5 host's go, 6 guest's acknowledgement, 7 game start
    std::string DateTime;    // at most 20 characters
    std::string SenderIP;
    int SenderPort = 0;
    std::string Extra;
    std::string Data;        // at most 255 characters
    bool Answered = false;
    bool Seen = false;
};

// The reason of a refusal ("tm", "ar", "id" ...) when the reply is one.
std::optional<std::string> RefusalReason(const std::string& reply);
// Whether the reply begins with the head ("*01:", "*03:", "*05:" ...).
bool IsReply(const std::string& reply, const char* head);

// The records of a user list reply (the reply must begin with "*01:" or "*03:"). A record
// whose port is not a number is left out; so is every record beyond MaxUsersPerReply.
std::vector<UserRecord> ReadUserList(const std::string& reply);
// The records of a "*05:" reply, up to "*", "]" or the end of the text. A record whose kind
// or port is not a number is left out.
std::vector<aMessage> ReadMessages(const std::string& reply);
// The competitions of a "*00:" reply whose number field is 0, in order.
std::vector<std::string> ReadCompetitions(const std::string& reply);

// The index of the first user at (ip, port), or -1.
int ReturnIndexIP(const std::vector<cJoueur>& users, const std::string& ip, int port);

} // namespace lobby
