#pragma once
#include <QCoreApplication>
#include <QEventLoop>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "net/GameLine.h"
#include "net/GameLinkGuest.h"
#include "net/GameLinkHost.h"
#include "net/JeuNetsc.h"

using net::JeuNet;


// Runs the event loop for about the given time.
inline void Pump(int ms = 2) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until the condition holds; false after the time limit.
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        Pump(2);
    }
    return true;
}

// One end of a raw TCP connection that the test speaks line by line.
class RawPipe {
public:
    explicit RawPipe(QTcpSocket* socket) : socket_(socket) {
        QObject::connect(socket_, &QTcpSocket::readyRead, socket_, [this] { read(); });
        QObject::connect(socket_, &QTcpSocket::connected, socket_, [this] {
            socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        });
        if (socket_->state() == QAbstractSocket::ConnectedState)
            socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    }
    QTcpSocket& socket() { return *socket_; }
    void send(const std::string& raw) {
        socket_->write(raw.data(), static_cast<qint64>(raw.size()));
        socket_->flush();
    }
    void sendLine(const std::string& line) { send(line + "\r\n"); }
    // Every complete line received so far, in order, without line ends.
    const std::vector<std::string>& lines() {
        read();
        return lines_;
    }
    bool waitLines(std::size_t n, int ms = 5000) {
        return WaitFor([&] { return lines().size() >= n; }, ms);
    }
    // Lines starting with the code, from position `from` on.
    std::vector<std::string> withCode(char code, std::size_t from = 0) {
        std::vector<std::string> out;
        const auto& all = lines();
        for (std::size_t i = from; i < all.size(); ++i)
            if (!all[i].empty() && all[i][0] == code) out.push_back(all[i]);
        return out;
    }
    bool closed() const { return socket_->state() == QAbstractSocket::UnconnectedState; }

private:
    void read() {
        buffer_ += socket_->readAll().toStdString();
        std::size_t end;
        while ((end = buffer_.find("\r\n")) != std::string::npos) {
            lines_.push_back(buffer_.substr(0, end));
            buffer_.erase(0, end + 2);
        }
    }
    QTcpSocket* socket_;
    std::string buffer_;
    std::vector<std::string> lines_;
};

// A scripted guest: a plain socket connected to the host.
class RawGuest : public RawPipe {
public:
    RawGuest() : RawPipe(new QTcpSocket), owned_(&socket()) {}
    bool connectTo(int port) {
        socket().connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
        return WaitFor([&] { return socket().state() == QAbstractSocket::ConnectedState; });
    }
    // Connects from another loopback address (any of 127.0.0.0/8), as a peer elsewhere would.
    bool connectFrom(int port, const std::string& localAddress) {
        if (!socket().bind(QHostAddress(QString::fromStdString(localAddress)))) return false;
        return connectTo(port);
    }

private:
    std::unique_ptr<QTcpSocket> owned_;
};

// A scripted host: a plain listening socket and the one connection it accepts.
class RawHost {
public:
    RawHost() { server_.listen(QHostAddress::LocalHost, 0); }
    int port() const { return server_.serverPort(); }
    bool accept(int ms = 5000) {
        if (!WaitFor([&] { return server_.hasPendingConnections(); }, ms)) return false;
        socket_.reset(server_.nextPendingConnection());
        pipe_ = std::make_unique<RawPipe>(socket_.get());
        return true;
    }
    RawPipe& pipe() { return *pipe_; }

private:
    QTcpServer server_;
    std::unique_ptr<QTcpSocket> socket_;
    std::unique_ptr<RawPipe> pipe_;
};

// The fields of a line after its code, cut at "&".
inline std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out;
    std::string rest = line.substr(line.find(':') + 1);
    while (auto f = net::NextField(rest)) out.push_back(*f);
    return out;
}

// The local user's choice: the first tile of the hand that fits, on the right end when it
// fits there (any tile on an empty table).
inline bool ChooseFirstFitting(JeuNet& g) {
    Joueur& me = g.Seats[1];
    for (int i = 0; i < me.HandCount; ++i) {
        const Domino& d = me.Hand[i];
        if (g.IsEmptyTable() || d.Fits(g.LeftEnd) || d.Fits(g.RightEnd)) {
            me.ChosenIndex = i;
            me.ChosenEnd = g.IsEmptyTable() || d.Fits(g.RightEnd) ? RightEndSide : LeftEndSide;
            me.Chosen = true;
            return true;
        }
    }
    return false;
}

// A legal move of a seat: the first tile of the hand that fits, on the right end when it
// fits there (any tile on an empty table); false when the seat must pass.
inline bool LegalMove(const JeuNet& g, int seat, int& index, int& end) {
    const Joueur& s = g.Seats[seat];
    for (int i = 0; i < s.HandCount; ++i) {
        const Domino& d = s.Hand[i];
        if (g.IsEmptyTable() || d.Fits(g.RightEnd) || d.Fits(g.LeftEnd)) {
            index = i;
            end = g.IsEmptyTable() || d.Fits(g.RightEnd) ? RightEndSide : LeftEndSide;
            return true;
        }
    }
    return false;
}

// A free loopback port (free when asked).
inline int FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Plays one side of a network game the way the main window's game loop does: a tick runs the
// turn step for the seats this program plays (the local user choosing the first fitting
// tile), and at the end of a hand a guest presses the next-round button. Each finished hand's
// winners are recorded in the host's numbering.
struct SideDriver {
    explicit SideDriver(net::HeadlessGameWindow& w, net::GameLinkGuest* g = nullptr)
        : window(w), guest(g) {
        // A hand can end and the next be dealt within one turn of the event loop: the end is
        // seen when the line that ended it is read.
        window.OnRepaint = [this] {
            if (window.Game && window.Game->RoundOver) record(*window.Game);
        };
    }
    ~SideDriver() { window.OnRepaint = nullptr; }
    SideDriver(const SideDriver&) = delete;
    SideDriver& operator=(const SideDriver&) = delete;
    net::HeadlessGameWindow& window;
    net::GameLinkGuest* guest;  // null on the host
    bool pressNextRound = true;
    // (game number, hand number) -> winners, host numbering, sorted.
    std::map<std::pair<int, int>, std::vector<int>> handWinners;
    std::vector<std::array<int, 3>> finalWins;  // round wins per game that ended, host numbering
    int seenDeals = 0;
    bool timerOn = false;

    void tick() {
        JeuNet* g = window.Game.get();
        if (!g) return;
        // The game timer runs from each deal to the end of the hand.
        const int deals = window.GamesStarted + window.HandsDealt;
        if (deals != seenDeals) {
            seenDeals = deals;
            timerOn = true;
        }
        if (!timerOn) return;
        if (g->RoundOver) record(*g);
        if (g->GameOver) {
            timerOn = false;
            return;
        }
        Joueur& seat = g->Seats[g->SeatToMove];
        if (!g->RoundOver || seat.Chosen) {
            if (g->SeatToMove == 1 && seat.Waiting && !seat.Chosen) ChooseFirstFitting(*g);
            if ((g->IsHost && seat.Kind == Joueur::KindNetLocal) || g->SeatToMove == 1)
                g->TurnStep();
            window.Ecriremessage(g->Message);
            return;
        }
        timerOn = false;
        if (guest && pressNextRound) guest->NextRound();
    }

    void record(JeuNet& g) {
        const auto key = std::make_pair(window.GamesStarted, g.RoundsDealt);
        if (handWinners.count(key)) return;
        std::vector<int> w;
        for (int s : g.Winners) w.push_back(g.ToHost(s));
        std::sort(w.begin(), w.end());
        handWinners[key] = w;
        if (g.GameOver) {
            std::array<int, 3> wins{};
            for (int s = 0; s < 3; ++s) wins[g.ToHost(s)] = g.RoundWins[s];
            finalWins.push_back(wins);
        }
    }
};

// Hands and chain of a game in the host's numbering, for comparing two sides.
struct TableState {
    std::array<std::vector<std::pair<int, int>>, 3> hands;
    std::vector<std::pair<int, int>> chain;
    int leftEnd = -1, rightEnd = -1, seatToMove = -1;
    bool operator==(const TableState&) const = default;
};

inline TableState StateOf(const JeuNet& g) {
    TableState s;
    for (int local = 0; local < 3; ++local) {
        auto& hand = s.hands[g.ToHost(local)];
        for (int i = 0; i < g.Seats[local].HandCount; ++i)
            hand.emplace_back(g.Seats[local].Hand[i].Value1, g.Seats[local].Hand[i].Value2);
    }
    for (const DominoJoue& m : g.Played) s.chain.emplace_back(m.Tile.Value1, m.Tile.Value2);
    s.leftEnd = g.LeftEnd;
    s.rightEnd = g.RightEnd;
    s.seatToMove = g.ToHost(g.SeatToMove);
    return s;
}


// The first 21 tiles of the set in build order, seven per host seat: host seat 2 holds the
// highest double dealt (5-5); the 6s are the unused tiles.
inline net::DealTiles DealInBuildOrder() {
    Paquet pack;
    net::DealTiles deal{};
    int next = 0;
    for (auto& hand : deal)
        for (Domino& d : hand) d = pack.Tiles[next++];
    return deal;
}

// A start line from names, addresses and kinds in the host's numbering.
inline std::string StartLine(const std::array<std::string, 3>& names,
                             const std::array<std::string, 3>& addresses,
                             const std::array<std::string, 3>& kinds,
                             const net::DealTiles& deal = DealInBuildOrder()) {
    return net::StartGameLine(names, addresses, kinds, deal);
}
