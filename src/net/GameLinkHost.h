#pragma once
#include <QObject>
#include <array>
#include <string>

#include "game/GameSetup.h"
#include "net/GameLine.h"
#include "net/GameLinkWindow.h"
#include "platform/LineSocket.h"

namespace net {

// The host's object for one connected guest: a line-mode socket (CR LF, line editing, the
// host's line limit) whose received lines go to the host's reader.
class TClientConnection : public platform::LineSocket {
public:
    explicit TClientConnection(QTcpSocket* accepted, QObject* parent = nullptr);

    // One of the game's guests (1 with the computer seat, 2 without): it has sent a whole
    // join line while a place was free. Until then its other lines are refused.
    bool Seated = false;
    // Seated connections in the order of their joins: 1, 2, ...
    int JoinOrder = 0;
    // The nickname its join line gave; empty when none.
    std::string JoinName;
    // The host seat this connection plays, bound when a game starts; its tiles, passes and
    // chat lines speak for that seat only. -1 until then.
    int BoundSeat = -1;
    // Being closed; no longer counted among the connections waiting for their join.
    bool Dropped = false;
};

// One chosen opponent of the lobby: name, state (3 = the host's computer player) and address.
struct LobbySlot {
    std::string Name;
    int State = 0;
    std::string IP;
};

// The hosting side of the game link: the listening socket, one TClientConnection per guest,
// the reader of the guests' lines and the game it builds when a guest joins.
//
// Seats, host numbering: seat 0 is the second opponent slot, seat 1 the host, seat 2 the
// first slot. With PlayWithCpu the first slot is the computer player and one human guest
// plays; without it two guests play, and a guest's tile, pass or chat is passed on to the
// other guest while every line the host makes goes to both.
//
// A connection takes a guest's place with its first whole join line, and only when it comes
// from a player the host is setting up the game with (see expected()); one that sends none
// in time, comes from anyone else, or comes when every place is taken, is closed. When a game starts each seated
// connection is bound to one seat: by its peer address when that names one seat, else by
// the nickname of its join line, else in the order of the joins (seat 0, then seat 2).
class GameLinkHost : public QObject {
public:
    explicit GameLinkHost(GameLinkWindow& window, QObject* parent = nullptr);
    ~GameLinkHost() override;

    // What a new game is built from, set before the guests join.
    GameSetup Setup;
    std::string StatisticsFile = "datas.sta";
    bool PlayWithCpu = true;
    std::array<LobbySlot, 2> Opponents;
    std::string OwnName, OwnAddress;  // the host's lobby nickname and IP address
    // A line every accepted connection receives first (none when empty). A guest ignores it,
    // since it holds no ":".
    std::string Banner;
    // The host's own seat is played by its computer player (the dedicated server).
    bool OwnSeatPlaysItself = false;

    // A connection that has sent no whole join line within this time is closed, so that a
    // stray or stalled connection never keeps the real guest waiting.
    int JoinTimeoutMs = 5000;
    // At most this many connections wait for their join at once; a further one closes the
    // oldest waiting.
    int MaxWaitingConnections = 8;
    // What may wait to be sent to one guest. A guest that lets more pile up (one that does
    // not read) is dropped as a guest that left.
    qint64 SendLimit = 256 * 1024;

    // Listens with the host's line limit; port 0 picks a free port (see Port()).
    bool Listen(int port, const std::string& address = "0.0.0.0");
    bool IsListening() const { return server_.IsListening(); }
    int Port() const { return server_.Port(); }
    std::string LastError() const { return server_.LastError(); }
    // No further guests; the connections stay (the end of a game).
    void StopListening() { server_.StopListening(); }
    // Stops listening and drops every guest.
    void Close();

    int ConnectionCount() const { return server_.ClientCount(); }
    TClientConnection* Connection(int index) const;
    // Sends the text and CR LF to the guest connection of that index (accept order).
    void serverSendText(int index, const std::string& text);
    // The host's own chat line, to every guest.
    void SendChat(const std::string& text);

    // The data-available event of a guest's connection.
    void ClientLineReceived(TClientConnection& from);
    // Reads text taken from a guest's connection, line by line.
    void ReadText(TClientConnection& from, const std::string& text);
    const LineCounts& Counts() const { return counts_; }

private:
    int guestsWanted() const { return PlayWithCpu ? 1 : 2; }
    int seatedCount() const;
    bool modeFits() const { return seatedCount() == guestsWanted(); }
    bool isCurrent(const TClientConnection& c) const;
    void onClientConnected(platform::LineSocket* client);
    void onClientDisconnect(platform::LineSocket* client);
    void lostLink();
    bool handleLine(TClientConnection& from, const GameLine& line);
    bool mayMoveFor(const TClientConnection& from, int hostSeat) const;
    // The connection comes from a player of the set-up: from the address of a human
    // opponent, or (behind a proxy or a router) with one's nickname in its join line.
    bool expected(const TClientConnection& c, const std::string& nickname) const;
    bool seat(TClientConnection& from, const std::string& nickname);
    void drop(TClientConnection& c);
    void dropWaiting();
    void bindSeats(const std::array<std::string, 3>& names,
                   const std::array<std::string, 3>& addresses, int computerSeat);
    void startGame();
    void nextHand(JeuNet& g);
    void broadcast(const std::string& line);
    void relay(const TClientConnection& from, const std::string& line);

    GameLinkWindow& window_;
    platform::LineServer server_;
    LineCounts counts_;
    int joins_ = 0;
};

} // namespace net
