#pragma once
#include "FakeLobby.h"
#include "client/ClientFixture.h"
#include "client/VueConnexionsc.h"
#include "client/VueInfoMessage.h"
#include "client/VueMessage.h"
#include "lobby/Counter.h"

// The client's windows with the lobby pointed at a scripted site.
struct LobbyWindows {
    explicit LobbyWindows(const std::string& surname = "Anna", int beServer = 0) {
        client::AppSettings().Surname = surname;
        client::AppSettings().NetPassword = "pw";
        client::AppSettings().BeServer = beServer;
        main().WebBaseUrl = site.Url() + "all/";
        main().FilesBaseUrl = site.Url() + "files/";
        lobby().radioType->setCurrentIndex(beServer == 1 ? 0 : 1);
        lobby::AppCounters() = lobby::Counters{};
        // The tests tick the polling themselves; the timer only shows that a reply re-armed it.
        lobby().Timer4->setInterval(3600 * 1000);
    }
    ~LobbyWindows() { lobby::AppCounters() = lobby::Counters{}; }

    client::TForm1& main() { return windows.main(); }
    client::TForm14& lobby() { return *static_cast<client::TForm14*>(client::AppForms().Form14); }
    client::TForm12& chat() { return *static_cast<client::TForm12*>(client::AppForms().Form12); }
    client::TForm11& composer() { return *static_cast<client::TForm11*>(client::AppForms().Form11); }

    // Connects with the given "*01:" reply and waits for the logged-in look.
    bool LogIn(const std::string& usersReply = "*01:*") {
        site.Queue("01", usersReply);
        lobby().ToolButton5Click();
        return WaitFor([&] { return lobby().ToolButton6->isEnabled(); });
    }
    // Runs one polling tick and waits until every reply of its batch is in and has re-armed
    // the timer.
    bool Poll(const std::string& code, std::size_t before) {
        lobby().Timer4Timer();
        return WaitFor([&] {
            return site.Count(code) > before && lobby().Timer4->isActive() && !lobby().Http->Busy(7);
        });
    }
    bool PollMessages(const std::string& reply) {
        site.Queue("5", reply);
        lobby().PollPhase = 0;
        return Poll("5", site.Count("5"));
    }
    bool PollUsers(const std::string& reply) {
        site.Queue("03", reply);
        lobby().PollPhase = 1;
        return Poll("03", site.Count("03"));
    }

    FakeLobby site;
    ClientWindows windows;
};
