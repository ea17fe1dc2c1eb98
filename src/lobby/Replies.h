#pragma once
#include <string>
#include <string_view>
#include <vector>

// The lobby's replies. The first four characters say what follows: "*rj:" a refusal with a
// two-letter reason, "*00:" the competitions, "*01:" and "*03:" the user list, "*05:" the
// messages addressed to the player. Anything else is for the caller to ignore.
//
// A reply comes from the site and is not trusted: the readers keep at most a bounded number
// of records and cut every text field, and a record that is truncated or whose decimal
// field is not an integer is dropped and counted, so the caller can go on as usual.
namespace lobby {

enum class ReplyKind { Refusal, Competitions, Login, UserList, Messages, Other };
ReplyKind KindOf(std::string_view reply);

// "*rj:" + reason.
bool IsRefusal(std::string_view reply);
// The reason after "*rj:" ("tm", "ar", "id" ...; shorter when the reply is); empty when
// the reply is no refusal.
std::string RefusalReason(std::string_view reply);
// The account was refused: the reply begins exactly "*rj:id**".
bool AccountRefused(std::string_view reply);

// Bounds of what one reply can make us store.
constexpr size_t MaxCompetitions = 200;
constexpr size_t MaxUsers = 1000;
constexpr size_t MaxMessages = 200;
constexpr size_t MaxFieldLength = 255;  // any text field without a bound of its own
constexpr size_t MaxIPLength = 20;
constexpr size_t MaxDateTimeLength = 20;
constexpr size_t MaxDataLength = 255;

// One competition of a "*00:" reply: its name and kind (0 the client's, 1 and 2 more).
struct Competition {
    std::string Name;
    int Kind = 0;
};

// One lobby user of a "*01:" or "*03:" reply.
struct cJoueur {
    std::string NameC;           // field 1: the name in " (C)" competitions
    std::string NameOther;       // field 2: the name in the other competitions
    int Port = 0;                // field 8: the game port
    std::string IP;              // field 7, at most 20 characters
    std::string Country;         // field 3, the list's second column
    std::string Kind;            // field 4: "Se" a host, anything else a guest
    std::string State;           // field 5: "fr" free, "lk" linked, "bs" playing
    std::string ConnectedSince;  // field 6, the list's fifth column

    bool IsHost() const { return Kind == "Se"; }
};

// One relayed message of a "*05:" reply.
struct aMessage {
    int Kind = 0;              // field 1, the wtype it was sent with
    std::string DateTime;      // field 2, at most 20 characters
    std::string SenderIP;      // field 3, at most 20 characters, as the users' IP
    int SenderPort = 0;        // field 4
    std::string Extra;         // field 5, never read
    std::string Data;          // field 6, at most 255 characters
    bool Answered = false;
    bool Seen = false;
};

// The records read from one reply, and how many were dropped (truncated, a decimal field
// that is not an integer, or beyond the bound).
template <class T>
struct ReplyList {
    std::vector<T> Records;
    int Dropped = 0;
    bool Damaged() const { return Dropped > 0; }
};

// "*00:": every competition with its kind; empty for any other reply.
ReplyList<Competition> ReadCompetitions(std::string_view reply);
// The names of the competitions of one kind, in reply order.
std::vector<std::string> CompetitionsOfKind(const ReplyList<Competition>& list, int kind);
// "*01:" or "*03:": the users; empty for any other reply.
ReplyList<cJoueur> ReadUserList(std::string_view reply);
// "*05:": the messages, Answered and Seen false; empty for any other reply.
ReplyList<aMessage> ReadMessages(std::string_view reply);

// The index of the first user with this IP and port, or -1 (also for an empty list).
int ReturnIndexIP(const std::vector<cJoueur>& users, const std::string& ip, int port);

} // namespace lobby
