#include "lobby/Counter.h"

#include "lobby/Requests.h"

namespace lobby {
namespace {

// The counter is a 32-bit signed value that wraps rather than overflows.
int plusOne(int value) { return static_cast<int>(static_cast<unsigned>(value) + 1u); }

} // namespace

CounterStep CounterStepOf(LobbyRow row) {
    switch (row) {
    case LobbyRow::LoginCheck:
    case LobbyRow::Login:
    case LobbyRow::Abandon:
    case LobbyRow::Result:
    case LobbyRow::PictureFetch: return CounterStep::Before;
    case LobbyRow::PollMessages:
    case LobbyRow::Presence: return CounterStep::After;
    case LobbyRow::LoginCheckFromOptions:
    case LobbyRow::LeaveCompetition:
    case LobbyRow::Leave:
    case LobbyRow::UserList:
    case LobbyRow::Message: return CounterStep::Unchanged;
    }
    return CounterStep::Unchanged;
}

CounterStep CounterStepOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Private:
    case MessageKind::Invitation:
    case MessageKind::Refusal: return CounterStep::Unchanged;
    case MessageKind::Acceptance:
    case MessageKind::HostAck:
    case MessageKind::GuestAck:
    case MessageKind::GameStart: return CounterStep::After;
    }
    return CounterStep::Unchanged;
}

int Counters::Take(CounterStep step) {
    switch (step) {
    case CounterStep::Before:
        LobbyRequestCounter = plusOne(LobbyRequestCounter);
        return LobbyRequestCounter;
    case CounterStep::After: {
        const int iop = LobbyRequestCounter;
        LobbyRequestCounter = plusOne(LobbyRequestCounter);
        return iop;
    }
    case CounterStep::Unchanged: break;
    }
    return LobbyRequestCounter;
}

void Counters::Disconnected() { SavedRequestCounter = plusOne(LobbyRequestCounter); }

Counters& AppCounters() {
    static Counters counters;
    return counters;
}

} // namespace lobby
