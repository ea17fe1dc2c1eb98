#pragma once

// The lobby's request counter (sent as "iop") and the value it takes again at the next
// connect. Both live for the program's run and are never stored. Every rule about when
// they move is here.
namespace lobby {

enum class MessageKind;

// When a request moves the counter: +1 before the request is built, +1 after it is sent,
// or not at all.
enum class CounterStep { Before, After, Unchanged };

// The senders of the request table whose counter rules differ.
enum class LobbyRow {
    LoginCheck,             // 00 from a page title, the banner or the server's check
    LoginCheckFromOptions,  // 00 sent when the options dialog closes
    Login,                  // 01
    LeaveCompetition,       // 02 with the competition
    Leave,                  // 02 without it
    UserList,               // 03
    Message,                // 04: the kind decides
    PollMessages,           // 5
    Presence,               // 07
    Abandon,                // 08 abandon, with and without the port
    Result,                 // 08 result
    PictureFetch,           // an opponent's picture asked for when a hosted game starts
};

CounterStep CounterStepOf(LobbyRow row);
// Messages of kinds 1 to 3 leave the counter alone; 4 to 7 step it after.
CounterStep CounterStepOf(MessageKind kind);

// Where the two programs differ.
struct CounterRules {
    // The host saves the counter when a guest's join line arrives (the client does; the
    // dedicated server does not).
    bool SaveWhenGuestJoins = true;
};

struct Counters {
    int LobbyRequestCounter = 0;
    int SavedRequestCounter = 0;
    CounterRules Rules;

    // The iop value of a request with this step, the counter moved as it says.
    int Take(CounterStep step);

    // A reply refused the player ("*rj:").
    void Refused() { SavedRequestCounter = LobbyRequestCounter; }
    // A guest leaves the lobby to join a game.
    void GuestLeftForGame() { SavedRequestCounter = LobbyRequestCounter; }
    // The host received a guest's join line.
    void GuestJoined() {
        if (Rules.SaveWhenGuestJoins) SavedRequestCounter = LobbyRequestCounter;
    }
    // The player disconnects from the lobby.
    void Disconnected();
    // The player connects: the counter starts again from the saved value.
    void Connecting() { LobbyRequestCounter = SavedRequestCounter; }
};

// The one pair of counters of the process.
Counters& AppCounters();

} // namespace lobby
