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

    // One of the game's guests (1 with the computer seat, 2 without). A connection beyond
    // that number is closed as soon as it is accepted.
    bool Seated = false;
    // With two guests: the host seat this connection has moved for; its lines may then speak
    // for that seat only. -1 until its first move.
    int BoundSeat = -1;
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
    void bind(TClientConnection& from, int hostSeat);
    void startGame();
    void nextHand(JeuNet& g);
    void broadcast(const std::string& line);
    void relay(const TClientConnection& from, const std::string& line);

    GameLinkWindow& window_;
    platform::LineServer server_;
    LineCounts counts_;
};

} // namespace net
