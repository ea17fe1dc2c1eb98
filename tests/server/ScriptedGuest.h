#pragma once
#include <QDateTime>
#include <memory>
#include <string>

#include "lobby/Counter.h"
#include "lobby/GetInetFile.h"
#include "lobby/Replies.h"
#include "lobby/RequestMaker.h"
#include "net/NetSupport.h"

// A guest that meets the server through the lobby with its own requests (blocking, as a
// script would), then plays through the real guest side of the game link, choosing the
// first fitting tile and asking for each next hand.
class ScriptedGuest {
public:
    ScriptedGuest(const std::string& siteUrl, const std::string& nick, int port) {
        id_.WebBaseUrl = siteUrl + "all/";
        id_.Surname = nick;
        id_.NetPassword = "pw";
        id_.CompetitionName = "Free Play";
        id_.LocalIPAddress = "127.0.0.1";
        id_.ServerPort = port;
    }

    std::string Get(const std::string& url) {
        std::string reply;
        lobby::GetInetFile(url, reply);
        return reply;
    }
    lobby::RequestMaker make() { return lobby::RequestMaker(id_, counters_); }

    bool Login() { return Get(make().Login(false, QDateTime::currentDateTime())).rfind("*01:", 0) == 0; }

    // Waits for a user of that nickname in the lobby's list; its address and port.
    bool FindUser(const std::string& nick, lobby::cJoueur& found, int ms = 15000) {
        return WaitFor(
            [&] {
                for (const lobby::cJoueur& u : lobby::ReadUserList(Get(make().UserList())).Records)
                    if (u.NameOther == nick) {
                        found = u;
                        return true;
                    }
                Pump(50);
                return false;
            },
            ms);
    }

    void Send(lobby::MessageKind kind, const lobby::cJoueur& to) {
        Get(make().Notice(kind, to.IP, to.Port, QDateTime::currentDateTime()));
    }

    // Polls its messages until one of that kind arrives.
    bool WaitMessage(int kind, int ms = 15000) {
        return WaitFor(
            [&] {
                for (const lobby::aMessage& m : lobby::ReadMessages(Get(make().PollMessages())).Records)
                    if (m.Kind == kind) return true;
                Pump(50);
                return false;
            },
            ms);
    }

    // Invites the server and follows the game-start handshake up to the connection.
    bool Meet(const std::string& serverNick) {
        lobby::cJoueur server;
        if (!FindUser(serverNick, server)) return false;
        // The server accepts only users of its own last list, which it refreshes every other
        // second: an invitation sent before that is shown but not accepted, so ask again.
        bool started = false;
        for (int attempt = 0; attempt < 5 && !started; ++attempt) {
            Send(lobby::MessageKind::Invitation, server);
            started = WaitMessage(7, 3000);
        }
        if (!started) return false;
        Send(lobby::MessageKind::GuestAck, server);
        if (!WaitMessage(5)) return false;
        // The last game's side goes first: its driver and link point at its window.
        driver.reset();
        link.reset();
        window = std::make_unique<net::HeadlessGameWindow>();
        link = std::make_unique<net::GameLinkGuest>(*window);
        link->LobbyAddress = "127.0.0.1";
        link->LobbyNickname = id_.Surname;
        driver = std::make_unique<SideDriver>(*window, link.get());
        link->Connect(server.IP, server.Port);
        return true;
    }

    // Plays until the game ends on this side.
    bool PlayToTheEnd(int ms = 60000) {
        return WaitFor(
            [&] {
                driver->tick();
                return window->Game && window->Game->GameOver;
            },
            ms);
    }

    void Leave() { Get(make().Leave()); }

    lobby::LobbyIdentity id_;
    lobby::Counters counters_;
    std::unique_ptr<net::HeadlessGameWindow> window;
    std::unique_ptr<net::GameLinkGuest> link;
    std::unique_ptr<SideDriver> driver;
};
