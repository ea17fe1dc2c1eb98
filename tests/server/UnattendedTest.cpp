// The server left alone against a site that fails, answers late or out of order, and guests
// that leave or fall silent between hands: it comes back to the lobby by itself.
#include <QSignalSpy>

#include "ServerFixture.h"
#include "support/ScriptedSite.h"

namespace {

const std::string Users = "[ann;ann;FR;Cl;fr;now;127.0.0.1;3000]";

class Unattended : public ServerFixture {
protected:
    void SetUp() override {
        ServerFixture::SetUp();
        port = FreePort();
    }

    // The site's usual answers; `down` answers 503, `hold` keeps the requests holding a part.
    std::optional<std::string> answer(const std::string& line) {
        if (down) return ScriptedSite::Reply("down", 503);
        for (const std::string& part : hold)
            if (line.find(part) != std::string::npos) return std::nullopt;
        if (line.find("req=00") != std::string::npos) return ScriptedSite::Reply("*00:[Free Play;0]*");
        if (line.find("req=01") != std::string::npos) return ScriptedSite::Reply("*01:" + Users + "*");
        if (line.find("req=03") != std::string::npos) return ScriptedSite::Reply("*03:" + Users + "*");
        if (line.find("req=5&") != std::string::npos) {
            const std::string body = nextMessages.empty() ? "*05:*" : nextMessages;
            if (!keepMessages) nextMessages.clear();
            return ScriptedSite::Reply(body);
        }
        return ScriptedSite::Reply("ok");
    }

    void Start() {
        StartServer(SettingsText("robot", "pw", port), site.Url());
        main->RetryDelayMs = 300;
    }

    bool InLobbyAndPolling(int ms = 10000) {
        return WaitFor([&] { return main->ToolButton6->isEnabled() && main->Timer4->isActive(); }, ms) &&
               WaitFor([&, polls = site.Count("req=5&")] { return site.Count("req=5&") > polls; }, ms);
    }

    int historyCount(const std::string& text) const {
        const std::string h = main->Memo2->toPlainText().toStdString();
        int n = 0;
        for (auto at = h.find(text); at != std::string::npos; at = h.find(text, at + 1)) ++n;
        return n;
    }

    bool down = false;
    std::vector<std::string> hold;
    std::string nextMessages;
    bool keepMessages = false;
    ScriptedSite site{[this](const std::string& line) { return answer(line); }};
    int port = 0;
};

} // namespace

// Each way a site can fail: the robot says so once in its history, tells each try in its
// status bar, and is logged in and polling again by itself once the site answers.
TEST_F(Unattended, TheRobotComesBackByItselfAfterTheSiteFails) {
    struct Case {
        const char* name;
        std::function<void()> fail, mend;
    };
    const std::vector<Case> cases = {
        {"status 503", [this] { down = true; }, [this] { down = false; }},
        {"refused connections", [this] { site.Close(); }, [this] { ASSERT_TRUE(site.Reopen()); }},
        {"a reply that trickles",
         [this] {
             for (int code : lobby::Senders::Codes) main->Http->Component(code).SetDeadline(600);
             site.TrickleMs = 150;
         },
         [this] { site.TrickleMs = 0; }},
    };
    Start();
    ASSERT_TRUE(InLobbyAndPolling());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int toldBefore = historyCount("The web site does not answer");
        c.fail();
        ASSERT_TRUE(WaitFor([&] { return !main->ToolButton6->isEnabled() && main->ToolButton5->isEnabled(); }));
        EXPECT_NE(main->StatusBar1->currentMessage().toStdString().find("trying again"), std::string::npos)
            << main->StatusBar1->currentMessage().toStdString();
        // A few tries go by while the site stays down.
        QSignalSpy tries(main->TimerRetry, &QTimer::timeout);
        ASSERT_TRUE(WaitFor([&] { return tries.count() >= 2; }, 15000));
        EXPECT_EQ(historyCount("The web site does not answer"), toldBefore + 1);
        c.mend();
        ASSERT_TRUE(InLobbyAndPolling(15000));
    }
}

TEST_F(Unattended, ASiteDownAtStartIsToldAndTheLoginCheckIsTriedAgain) {
    down = true;
    Start();
    ASSERT_TRUE(WaitFor([&] { return historyCount("The web site does not answer") == 1; }, 5000));
    EXPECT_NE(main->StatusBar1->currentMessage().toStdString().find("Request 0"), std::string::npos);
    ASSERT_TRUE(WaitFor([&] { return site.Count("req=00") >= 2; }, 5000));
    down = false;
    ASSERT_TRUE(InLobbyAndPolling());
}

// The leave (02) and the log-in (01) of the set-up's time-out travel on two connections:
// whichever reply comes last, the robot ends logged in and polling.
TEST_F(Unattended, TheLeaveAndTheLoginRacingEndLoggedInInEitherOrder) {
    for (const bool loginFirst : {true, false}) {
        SCOPED_TRACE(loginFirst ? "log-in reply first" : "leave reply first");
        if (!main) Start();
        ASSERT_TRUE(InLobbyAndPolling());
        hold = {"req=01", "req=02"};
        main->TimerErrorTimer();
        ASSERT_TRUE(WaitFor([&] { return site.HeldCount("req=01") == 1 && site.HeldCount("req=02") == 1; }));
        hold.clear();
        const std::string first = loginFirst ? "req=01" : "req=02";
        const std::string second = loginFirst ? "req=02" : "req=01";
        ASSERT_TRUE(site.Answer(first, ScriptedSite::Reply(first == "req=01" ? "*01:" + Users + "*" : "ok")));
        Pump(100);
        ASSERT_TRUE(site.Answer(second, ScriptedSite::Reply(second == "req=01" ? "*01:" + Users + "*" : "ok")));
        Pump(200);
        EXPECT_TRUE(main->ToolButton6->isEnabled());
        EXPECT_FALSE(main->ToolButton5->isEnabled());
        ASSERT_TRUE(InLobbyAndPolling());
    }
}

TEST_F(Unattended, RefusedPollsOpenTheOptionsOnceAndLeaveTheOwnersTypingAlone) {
    Start();
    ASSERT_TRUE(InLobbyAndPolling());
    server::TForm8* options = server::AppForms().Form8;
    ASSERT_FALSE(options->isVisible());
    nextMessages = "*rj:id**";
    keepMessages = true;
    ASSERT_TRUE(WaitFor([&] { return options->isVisible(); }));
    options->Edit114->setText("typing");
    ASSERT_TRUE(WaitFor([&, polls = site.Count("req=5&")] { return site.Count("req=5&") >= polls + 2; }, 10000));
    EXPECT_EQ(options->Edit114->text(), "typing");
    // Put away without closing: the same refusal does not bring it back.
    options->hide();
    ASSERT_TRUE(WaitFor([&, polls = site.Count("req=5&")] { return site.Count("req=5&") >= polls + 2; }, 10000));
    EXPECT_FALSE(options->isVisible());
}

// A hand has ended and the guest is to ask for the next one: it leaves, or stays connected
// and says nothing. Either way the result goes to the site once and the robot logs in again.
TEST_F(Unattended, AGameThatEndsBetweenTwoHandsIsReportedOnceAndTheRobotReturns) {
    for (const bool leaves : {true, false}) {
        SCOPED_TRACE(leaves ? "the guest leaves" : "the guest stays silent");
        if (!main) Start();
        ASSERT_TRUE(InLobbyAndPolling());
        main->CpuDelayTicks = 0;
        main->Timer1->setInterval(1);
        main->TimeUp->setInterval(500);
        const int reportsBefore = site.Count("req=08");
        const int loginsBefore = site.Count("req=01");
        nextMessages = "*05:[2;stamp;127.0.0.1;3000;x;]*";
        ASSERT_TRUE(WaitFor([&] { return main->WSocketServer1->IsListening(); }));

        net::HeadlessGameWindow window;
        auto guest = std::make_unique<net::GameLinkGuest>(window);
        guest->LobbyAddress = "127.0.0.1";
        SideDriver driver(window, guest.get());
        driver.pressNextRound = false;
        guest->Connect("127.0.0.1", port);
        ASSERT_TRUE(WaitFor(
            [&] {
                driver.tick();
                return main->CurrentGame && main->CurrentGame->RoundOver && !main->Timer1->isActive();
            },
            20000));
        ASSERT_FALSE(main->CurrentGame->GameOver);
        if (leaves) guest.reset();
        ASSERT_TRUE(WaitFor([&] { return !main->CurrentGame && site.Count("req=01") > loginsBefore; }, 10000));
        ASSERT_TRUE(InLobbyAndPolling());
        EXPECT_EQ(site.Count("req=08"), reportsBefore + 1);
        EXPECT_EQ(site.Count("wres=5"), reportsBefore + 1);
    }
}

// The report of a game's end fails: the history says so, and the robot is back in the lobby
// once the site answers again.
TEST_F(Unattended, AFailedResultReportIsToldAndTheRobotReturnsWhenTheSiteAnswers) {
    Start();
    ASSERT_TRUE(InLobbyAndPolling());
    main->TimeUp->setInterval(200);
    nextMessages = "*05:[2;stamp;127.0.0.1;3000;x;]*";
    ASSERT_TRUE(WaitFor([&] { return main->WSocketServer1->IsListening(); }));
    net::HeadlessGameWindow window;
    net::GameLinkGuest guest(window);
    guest.LobbyAddress = "127.0.0.1";
    guest.Connect("127.0.0.1", port);
    ASSERT_TRUE(WaitFor([&] { return main->CurrentGame != nullptr; }));
    // The join's leave has been answered: the report is the first request to fail.
    ASSERT_TRUE(WaitFor([&] { return site.Count("req=02") == 1; }));
    Pump(200);
    main->CpuDelayTicks = 0;
    down = true;
    // The silent guest's turn clock ends the game, and its report fails.
    ASSERT_TRUE(WaitFor([&] { return !main->CurrentGame && historyCount("The web site does not answer") == 1; }, 20000));
    ASSERT_TRUE(WaitFor([&] { return main->ToolButton5->isEnabled(); }, 10000));
    down = false;
    ASSERT_TRUE(InLobbyAndPolling());
}
