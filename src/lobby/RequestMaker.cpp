#include "lobby/RequestMaker.h"

#include "lobby/Stamps.h"

namespace lobby {

std::string RequestMaker::LoginCheck(LobbyRow row) {
    const int iop = counters_.Take(CounterStepOf(row));
    return LoginCheckRequest(id_.WebBaseUrl, id_.Surname, id_.NetPassword, iop);
}

std::string RequestMaker::Login(bool isHost, const QDateTime& now) {
    return LoginRequest(id_, isHost, StampA(now), counters_.Take(CounterStepOf(LobbyRow::Login)));
}

std::string RequestMaker::LeaveCompetition() {
    return LeaveCompetitionRequest(id_, counters_.Take(CounterStepOf(LobbyRow::LeaveCompetition)));
}

std::string RequestMaker::Leave() {
    return LeaveRequest(id_, counters_.Take(CounterStepOf(LobbyRow::Leave)));
}

std::string RequestMaker::UserList() {
    return UserListRequest(id_, counters_.Take(CounterStepOf(LobbyRow::UserList)));
}

std::string RequestMaker::PrivateMessage(const std::string& destIP, int destPort,
                                         const std::string& stamp, const std::string& text) {
    const int iop = counters_.Take(CounterStepOf(MessageKind::Private));
    return MessageRequest(id_, MessageKind::Private, destIP, destPort, stamp, text, iop);
}

std::string RequestMaker::Notice(MessageKind kind, const std::string& destIP, int destPort,
                                 const QDateTime& now) {
    const std::string stamp = StampB(now);
    return NoticeRequest(id_, kind, destIP, destPort, stamp, counters_.Take(CounterStepOf(kind)));
}

std::string RequestMaker::PollMessages() {
    return PollMessagesRequest(id_, counters_.Take(CounterStepOf(LobbyRow::PollMessages)));
}

std::string RequestMaker::Presence() {
    return PresenceRequest(id_, counters_.Take(CounterStepOf(LobbyRow::Presence)));
}

std::string RequestMaker::Abandon() {
    return AbandonRequest(id_, counters_.Take(CounterStepOf(LobbyRow::Abandon)));
}

std::string RequestMaker::TimeOutAbandon() {
    return TimeOutAbandonRequest(id_, counters_.Take(CounterStepOf(LobbyRow::Abandon)));
}

std::string RequestMaker::Result(int result) {
    return ResultRequest(id_, result, counters_.Take(CounterStepOf(LobbyRow::Result)));
}

} // namespace lobby
