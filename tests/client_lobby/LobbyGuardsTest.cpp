// What a flood of messages, a stranger's start messages, a failed listen and a host that
// never starts do to the lobby window.
#include <QTcpServer>

#include "LobbyFixture.h"
#include "client/PageCommands.h"
#include "client/VueOptions.h"
#include "client_web/RecordingBrowser.h"
#include "support/TestHttpServer.h"

namespace {

const std::string Ip = "127.0.0.1";
// Bob and Dan host, Cleo is a guest.
const std::string Users = "*01:" + UserRecordText("Bob", "Se", "fr", Ip, 3001) +
                          UserRecordText("Cleo", "Cl", "fr", Ip, 3002) + UserRecordText("Dan", "Se", "fr", Ip, 3004) +
                          "*";

// The answers the window sent (04) of one kind.
std::vector<FakeLobby::Request> Sent(const LobbyWindows& w, int kind) {
    std::vector<FakeLobby::Request> out;
    for (const auto& r : w.site.Of("04"))
        if (r.key("wtype") == std::to_string(kind)) out.push_back(r);
    return out;
}

// A guest that has accepted Bob's invitation through its Accept button.
void AcceptBob(LobbyWindows& w) {
    ASSERT_TRUE(w.LogIn(Users));
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(2, Ip, 3001) + "*"));
    ASSERT_TRUE(w.lobby().Button3->isEnabled());
    w.lobby().Button3->click();
    ASSERT_EQ(w.lobby().OpponentCount, 1);
    ASSERT_EQ(w.lobby().Opponents[0].Name, "Bob-o");
}

bool LeftTheLobby(LobbyWindows& w) { return w.lobby().StopPolling && w.main().GameGuest != nullptr; }

} // namespace

TEST(LobbyGuards, AFloodOfMessagesKeepsTheNewestAndStillStartsTheGame) {
    LobbyWindows w;
    AcceptBob(w);
    client::TForm14& l = w.lobby();
    const int flood = int(client::TForm14::MaxLobbyMessages) + 200;
    for (int sent = 0; sent < flood;) {
        std::string records;
        for (int i = 0; i < 200; ++i, ++sent) records += MessageRecordText(1, Ip, 3002, "m" + std::to_string(sent));
        ASSERT_TRUE(w.PollMessages("*05:" + records + "*"));
    }
    ASSERT_EQ(l.LobbyMessages.size(), client::TForm14::MaxLobbyMessages);
    EXPECT_EQ(l.LobbyMessages.back().Data, "m" + std::to_string(flood - 1));
    EXPECT_LE(l.UnreadCount, int(l.LobbyMessages.size()));

    // The host's start is still read, answered, and its go obeyed.
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(7, Ip, 3001) + "*"));
    ASSERT_EQ(Sent(w, 6).size(), 1u);
    EXPECT_EQ(Sent(w, 6)[0].key("wportdestin"), "3001");
    w.site.Queue("5", "*05:" + MessageRecordText(5, Ip, 3001) + "*");
    l.PollPhase = 0;
    l.Timer4Timer();
    ASSERT_TRUE(WaitFor([&] { return LeftTheLobby(w); }));
    EXPECT_TRUE(l.isHidden()) << "the guest's lobby does not stay over the table";
    w.main().CloseGameSockets();
}

TEST(LobbyGuards, StartsAndGoesFromAnyoneButTheGuestsOwnHostAreIgnored) {
    LobbyWindows w;
    AcceptBob(w);
    client::TForm14& l = w.lobby();
    struct Step {
        const char* what;
        int kind, port;
        std::size_t sixes;  // kind-6 answers sent so far
        bool leaves;
    };
    const Step steps[] = {
        {"a go from another host", 5, 3004, 0, false},
        {"a go from its host before any start", 5, 3001, 0, false},
        {"a go from a guest", 5, 3002, 0, false},
        {"a start from a second host", 7, 3004, 0, false},
        {"a start from its host", 7, 3001, 1, false},
        {"then a go from another host", 5, 3004, 1, false},
        {"then the go of its host", 5, 3001, 1, true},
    };
    for (const Step& s : steps) {
        w.site.Queue("5", "*05:" + MessageRecordText(s.kind, Ip, s.port) + "*");
        const std::size_t polls = w.site.Count("5");
        l.PollPhase = 0;
        l.Timer4Timer();
        ASSERT_TRUE(WaitFor([&] { return w.site.Count("5") > polls && (l.Timer4->isActive() || l.StopPolling); }))
            << s.what;
        Pump(20);
        EXPECT_EQ(Sent(w, 6).size(), s.sixes) << s.what;
        EXPECT_EQ(LeftTheLobby(w), s.leaves) << s.what;
        EXPECT_EQ(l.Opponents[0].Name, "Bob-o") << s.what;
    }
    EXPECT_EQ(Sent(w, 6)[0].key("wportdestin"), "3001");
    w.main().CloseGameSockets();
}

TEST(LobbyGuards, AHostObeysNoStartNorGo) {
    LobbyWindows w("Anna", 1);
    client::AppSettings().PlayWithCpu = 1;
    ASSERT_TRUE(w.LogIn(Users));
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(7, Ip, 3004) + "*"));
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(5, Ip, 3004) + "*"));
    EXPECT_TRUE(Sent(w, 6).empty());
    EXPECT_EQ(w.lobby().OpponentCount, 1) << "the computer seat only";
    EXPECT_FALSE(w.lobby().StopPolling);
    EXPECT_EQ(w.main().GameGuest, nullptr);
    EXPECT_TRUE(w.lobby().LoggedIn());
}

TEST(LobbyGuards, AcceptAndRefuseAnswerOnlyTheInvitationShown) {
    LobbyWindows w;
    ASSERT_TRUE(w.LogIn(Users));
    client::TForm14& l = w.lobby();
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(1, Ip, 3001, "hi") + "*"));
    // An invitation arrives while the private message is shown: it waits behind Next.
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(2, Ip, 3004) + "*"));
    EXPECT_EQ(l.MemoReceived->toPlainText().toStdString(), "from Bob-o (Server) 01/01/2026 10:00\nhi");
    EXPECT_EQ(l.Label7->text().toStdString(), "1 Received message");
    EXPECT_TRUE(l.BitBtn5->isEnabled());
    EXPECT_FALSE(l.Button3->isEnabled());
    l.BitBtn5->click();
    EXPECT_EQ(l.MemoReceived->toPlainText().toStdString(), "Invitation from Dan-o (Server) 01/01/2026 10:00");
    EXPECT_TRUE(l.Button3->isEnabled());
    EXPECT_TRUE(l.Button4->isEnabled());

    // Back on the private message, neither button answers it, even called directly.
    l.BitBtn6->click();
    EXPECT_FALSE(l.Button3->isEnabled());
    EXPECT_FALSE(l.Button4->isEnabled());
    l.Button3Click();
    l.Button4Click();
    Pump(50);
    EXPECT_TRUE(w.site.Of("04").empty());
    EXPECT_EQ(l.OpponentCount, 0);

    // On the invitation, Accept takes Dan; the reply leaves the answered invitation closed.
    l.BitBtn5->click();
    l.Button3->click();
    ASSERT_TRUE(WaitFor([&] { return Sent(w, 4).size() == 1 && !l.Http->Busy(4); }));
    EXPECT_EQ(Sent(w, 4)[0].key("wportdestin"), "3004");
    EXPECT_EQ(l.Opponents[0].Name, "Dan-o");
    Pump(20);
    EXPECT_FALSE(l.Button3->isEnabled());
    EXPECT_FALSE(l.Button4->isEnabled());
    l.BitBtn6->click();
    l.Button4Click();
    Pump(50);
    EXPECT_TRUE(Sent(w, 3).empty());
    w.main().TimerError->stop();
}

TEST(LobbyGuards, AFailedListenTellsTheUserLeavesTheLobbyAndReleasesTheGuest) {
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, 0));
    LobbyWindows w("Anna", 1);
    client::AppSettings().PlayWithCpu = 1;
    client::AppSettings().ServerPort = taken.serverPort();
    ASSERT_TRUE(w.LogIn(Users));
    client::TForm14& l = w.lobby();
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(2, Ip, 3002) + "*"));
    l.Button3->click();
    ASSERT_EQ(w.windows.messages.texts.size(), 1u);
    EXPECT_EQ(w.windows.messages.texts[0].rfind("The game server could not listen on its port.", 0), 0u)
        << w.windows.messages.texts[0];
    EXPECT_TRUE(Sent(w, 7).empty());
    ASSERT_EQ(Sent(w, 3).size(), 1u) << "the guest hears the game is off";
    EXPECT_EQ(Sent(w, 3)[0].key("wportdestin"), "3002");
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("02") == 1 && l.ToolButton5->isEnabled(); }));
    EXPECT_FALSE(l.ToolButton6->isEnabled());
    EXPECT_FALSE(w.main().Disconnect1->isEnabled());
    EXPECT_TRUE(w.main().Connect1->isEnabled());
    EXPECT_FALSE(l.Timer4->isActive());
    EXPECT_FALSE(w.main().TimerError->isActive());
}

TEST(LobbyGuards, AGuestWhoseHostCallsItOffIsFreeAgain) {
    LobbyWindows w;
    AcceptBob(w);
    client::TForm14& l = w.lobby();
    ASSERT_TRUE(w.main().TimerError->isActive());
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(3, Ip, 3001) + "*"));
    EXPECT_EQ(l.OpponentCount, 0);
    EXPECT_EQ(l.ListBox2->count(), 0);
    EXPECT_FALSE(w.main().TimerError->isActive());
    // A refusal from anyone else changes nothing.
    AcceptBob(w);
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(3, Ip, 3004) + "*"));
    EXPECT_EQ(l.OpponentCount, 1);
    EXPECT_TRUE(w.main().TimerError->isActive());
    w.main().TimerError->stop();
}

TEST(LobbyGuards, AGuestWhoseHostNeverStartsGivesUpWithTheConnectionTimeOut) {
    struct Case {
        const char* what;
        std::vector<int> fromHost;  // the kinds its host sends after the acceptance
    };
    const Case cases[] = {{"no start ever comes", {}},
                          {"a start but no go", {7}},
                          {"the host never listens", {7, 5}}};
    for (const Case& c : cases) {
        LobbyWindows w;
        AcceptBob(w);
        client::TForm1& main = w.main();
        for (int kind : c.fromHost) {
            w.site.Queue("5", "*05:" + MessageRecordText(kind, Ip, 3001) + "*");
            const std::size_t polls = w.site.Count("5");
            w.lobby().PollPhase = 0;
            w.lobby().Timer4Timer();
            ASSERT_TRUE(WaitFor([&] { return w.site.Count("5") > polls; })) << c.what;
            Pump(20);
        }
        ASSERT_TRUE(main.TimerError->isActive()) << c.what;
        EXPECT_EQ(main.TimerError->interval(), 60000);
        EXPECT_EQ(main.StatusBar1->currentMessage().toStdString(),
                  c.fromHost.empty() ? "" : " Waiting for connection...")
            << c.what;
        // The minute, driven: the time-out fires at once.
        main.TimerError->setInterval(1);
        ASSERT_TRUE(WaitFor([&] { return !w.windows.messages.texts.empty(); })) << c.what;
        EXPECT_EQ(w.windows.messages.texts.back(),
                  "Impossible to establish the connection with at least one of your opponents.")
            << c.what;
        EXPECT_FALSE(main.TimerError->isActive());
        ASSERT_TRUE(WaitFor([&] { return w.lobby().ToolButton5->isEnabled(); })) << c.what;
        main.CloseGameSockets();
    }
}

TEST(LobbyGuards, APollWhoseReplyTricklesFailsAtItsDeadlineAndTheButtonsFollow) {
    // A message list that would take half a minute: one byte every 100 ms.
    const std::string body = "*05:" + std::string(296, ' ');
    TestHttpServer trickle([&](const std::string&) {
        TestHttpServer::Response r;
        r.Pieces.push_back("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                           std::to_string(body.size()) + "\r\n\r\n");
        for (char c : body) r.Pieces.push_back(std::string(1, c));
        r.PauseMs = 100;
        return r;
    });
    LobbyWindows w;
    ASSERT_TRUE(w.LogIn(Users));
    client::TForm14& l = w.lobby();
    platform::HttpComponent& poll = l.Http->Component(5);
    EXPECT_EQ(poll.Deadline(), lobby::Senders::DeadlineMs);
    EXPECT_LT(lobby::Senders::DeadlineMs, platform::HttpComponent::DefaultDeadlineMs);
    poll.SetDeadline(400);  // the deadline, driven
    w.main().WebBaseUrl = trickle.Url() + "all/";
    l.PollPhase = 0;
    l.Timer4Timer();
    const bool failed = WaitFor([&] { return !w.windows.messages.texts.empty(); }, 10000);
    poll.SetDeadline(lobby::Senders::DeadlineMs);
    ASSERT_TRUE(failed);
    EXPECT_EQ(w.windows.messages.texts[0], "Impossible to connect the server");
    EXPECT_EQ(l.Cell(1, 0), "Not connected");
    EXPECT_FALSE(l.Timer4->isActive());
    EXPECT_TRUE(l.ToolButton5->isEnabled());
    EXPECT_FALSE(l.ToolButton6->isEnabled()) << "nothing is left to disconnect";
    EXPECT_FALSE(w.main().Disconnect1->isEnabled());
    EXPECT_TRUE(w.main().Connect1->isEnabled());
    trickle.Stop();
}

TEST(LobbyGuards, APageThatLogsInWhileInTheLobbyChangesTheAccountButNotTheSession) {
    LobbyWindows w;
    w.main().PUBProgressChange("MORVATEL 3.0.3");  // the banner: web items on, one check
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("00") == 1 && !w.lobby().Http->Busy(0); }));
    ASSERT_TRUE(w.LogIn(Users));
    client::TForm14& l = w.lobby();
    RecordingBrowser browser;
    bool armed = true;
    client::RunTitleCommand("Logging Zoe&secret", armed, browser);
    EXPECT_EQ(client::AppSettings().Surname, "Zoe");
    Pump(50);
    EXPECT_EQ(w.site.Count("00"), 1u) << "no check while logged in";
    EXPECT_TRUE(browser.visited.empty());
    // Polling goes on, and the window still shows the session.
    ASSERT_TRUE(w.PollMessages("*05:*"));
    ASSERT_TRUE(w.PollUsers("*03:*"));
    EXPECT_TRUE(l.LoggedIn());
    EXPECT_TRUE(l.Timer4->isActive());

    // Out of the lobby, the same title checks the account.
    l.ToolButton6->click();
    ASSERT_TRUE(WaitFor([&] { return l.ToolButton5->isEnabled(); }));
    armed = true;
    client::RunTitleCommand("Logging Zoe&secret", armed, browser);
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("00") == 2; }));
    EXPECT_EQ(w.site.Of("00").back().key("wsurnom"), "Zoe");
    EXPECT_EQ(browser.visited.size(), 1u);
}

TEST(LobbyGuards, ARefusedCheckBehindConnectShowsItsReason) {
    const std::string id = "Please enter your Morvatel nickname and password or if you don't get ones, join Morvatel "
                           "Community.";
    struct Case {
        const char* reply;
        int doNotAsk;
        std::string message;
        bool options;  // the options window opens on its network page
    };
    const Case cases[] = {
        {"*rj:id**", 1, id, true},
        {"*rj:id**", 0, id, true},
        {"*rj:tm", 1, "This competition is not opened now.", false},
        {"*rj:ar", 0, "Wait one minute before reconnecting.", false},
        {"no list", 1, "Impossible to connect the server", false},
    };
    for (const Case& c : cases) {
        LobbyWindows w;
        client::AppSettings().DoNotAskParameters = c.doNotAsk;
        w.site.Queue("00", c.reply);
        w.lobby().ToolButton5->click();
        ASSERT_TRUE(WaitFor([&] { return !w.windows.messages.texts.empty(); })) << c.reply;
        EXPECT_EQ(w.windows.messages.texts, std::vector<std::string>{c.message}) << c.reply;
        EXPECT_EQ(client::AppForms().Form8->isVisible(), c.options) << c.reply;
        EXPECT_TRUE(w.lobby().ToolButton5->isEnabled()) << c.reply;
        EXPECT_FALSE(w.lobby().ToolButton6->isEnabled()) << c.reply;
        EXPECT_EQ(w.site.Count("01"), 0u) << c.reply;
        client::AppForms().Form8->hide();
    }
}
