#pragma once
#include <QObject>
#include <string>

#include "game/GameSetup.h"
#include "net/GameLine.h"
#include "net/GameLinkWindow.h"
#include "platform/LineSocket.h"

namespace net {

// The guest's side of the game link: its socket to the host (directly or through a SOCKS 5
// proxy), the join line once connected, and the reader of the host's lines. The guest's
// table is turned so that it sits at seat 1; its seat in the host's numbering (NetSeat)
// comes from the start line: host seat 0 when that seat's address is the guest's own lobby
// address, else host seat 2.
class GameLinkGuest : public QObject {
public:
    explicit GameLinkGuest(GameLinkWindow& window, QObject* parent = nullptr);
    ~GameLinkGuest() override;

    // What a new game is built from, set before connecting.
    GameSetup Setup;
    std::string StatisticsFile = "datas.sta";
    std::string LobbyAddress;   // the guest's own IP address from its lobby login
    // The guest's lobby nickname, sent in its join lines. The host and the guest both use it
    // only when the two guests' addresses cannot tell them apart (one address, or a proxy).
    std::string LobbyNickname;
    // Ask the window to fetch the opponents' pictures at the next start line; cleared there.
    bool FetchNetPictures = false;

    // Connects to the host; the values are trimmed. A proxy with an empty host is none.
    void Connect(const std::string& hostAddress, int port, platform::SocksProxy socks = {});
    bool IsConnected() const { return socket_.IsConnected(); }
    // Closes the connection (a lost link while a game runs).
    void Close();

    // Sends the text and CR LF to the host.
    void clientSendText(const std::string& text);
    // The next-round button: a new game ("8:&") after a hand every seat has won, else the
    // next hand ("7:&") while the game is not over.
    void NextRound();
    // The guest's chat line.
    void SendChat(const std::string& text);

    // Socket events.
    void WSocket1SessionConnected();
    void WSocket1DataAvailable();
    void WSocket1SessionClosed();

    // Reads text taken from the connection, line by line.
    void ReadText(const std::string& text);
    const LineCounts& Counts() const { return counts_; }
    platform::LineSocket& Socket() { return socket_; }

private:
    bool handleLine(const GameLine& line);
    bool startGame(const GameLine& line);
    void nextHand(JeuNet& g, const DealTiles& deal);
    void dealt(JeuNet& g, const DealTiles& deal);
    void lostLink();

    GameLinkWindow& window_;
    platform::LineSocket socket_;
    LineCounts counts_;
};

} // namespace net
