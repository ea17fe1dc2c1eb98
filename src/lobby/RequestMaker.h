#pragma once
#include <QDateTime>
#include <string>

#include "lobby/Counter.h"
#include "lobby/Requests.h"

// Builds the encoded address of each request from the player's lobby values and steps the
// request counter as its row says, so that a caller never steps it by hand. The moment
// given is the one the stamps are made from.
namespace lobby {

class RequestMaker {
public:
    RequestMaker(const LobbyIdentity& identity, Counters& counters)
        : id_(identity), counters_(counters) {}

    std::string LoginCheck(LobbyRow row = LobbyRow::LoginCheck);
    std::string Login(bool isHost, const QDateTime& now);
    std::string LeaveCompetition();
    std::string Leave();
    std::string UserList();
    // A private message: the composer's own stamp and text.
    std::string PrivateMessage(const std::string& destIP, int destPort, const std::string& stamp,
                               const std::string& text);
    // Kinds 2 to 7, stamped "on <date> at <time>".
    std::string Notice(MessageKind kind, const std::string& destIP, int destPort,
                       const QDateTime& now);
    std::string PollMessages();
    std::string Presence();
    std::string Abandon();
    std::string TimeOutAbandon();
    std::string Result(int result);

private:
    const LobbyIdentity& id_;
    Counters& counters_;
};

} // namespace lobby
