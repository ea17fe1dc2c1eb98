#pragma once

// Seat numbering of a network game. On the wire every seat is in the host's numbering: the
// host sits at seat 1, the guests at 0 and 2. Each program keeps its own table turned so
// that it sits at seat 1; NetSeat is its own seat in the host's numbering (1 on the host).
// The turn order (seat + 1) mod 3 is the same in both numberings.
namespace net {

// The host's seat h as this program numbers it.
constexpr int HostToLocal(int hostSeat, int netSeat) {
    if (netSeat == 1) return hostSeat;
    return netSeat != 0 ? (hostSeat + 2) % 3 : (hostSeat + 1) % 3;
}

// This program's seat as the host numbers it.
constexpr int LocalToHost(int localSeat, int netSeat) {
    if (netSeat == 1) return localSeat;
    return netSeat != 0 ? (localSeat + 1) % 3 : (localSeat + 2) % 3;
}

static_assert(HostToLocal(2, 2) == 1 && HostToLocal(1, 2) == 0 && HostToLocal(0, 2) == 2);
static_assert(HostToLocal(0, 0) == 1 && HostToLocal(1, 0) == 2 && HostToLocal(2, 0) == 0);
static_assert(LocalToHost(HostToLocal(0, 0), 0) == 0 && LocalToHost(HostToLocal(1, 2), 2) == 1);

} // namespace net
