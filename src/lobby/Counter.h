#pragma once

// The lobby's request counter (sent as "iop") and the value it takes again at the next
// connect. Both live for the program's run and are never stored.
namespace lobby {

struct Counters {
    int LobbyRequestCounter = 0;
    int SavedRequestCounter = 0;
};

// The one pair of counters of the process.
Counters& AppCounters();

} // namespace lobby
