#include <QTcpServer>
#include <QKeyEvent>
#include <QToolTip>

#include "LobbyFixture.h"
#include "SiteUser.h"
#include "client/HostedGame.h"
#include "client/ScriptedUser.h"
#include "platform/TextFile.h"
#include "sharedwin/QtColors.h"

namespace {

using client::Q;
using client::S;

// Types the text into the widget a key at a time, as a keyboard would (any character).
void TypeInto(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &release);
    }
}

// One tick of the main window's game loop, the scripted user moving when asked and the
// guest's next-round button clicked when it shows.
void WindowTick(client::TForm1& w, ScriptedUser& user) {
    if (!w.CurrentGame) return;
    Jeu& g = *w.CurrentGame;
    if (!w.Timer1->isActive()) {
        if (!w.Button1->isHidden()) w.Button1Click();
        return;
    }
    if (g.SeatToMove == 1 && g.Seats[1].Waiting && !g.Seats[1].Chosen) user.playOnce();
    w.Timer1Timer();
}

// The client's windows on the real stand-in site, logged into "Free Play (C)".
struct SiteSession {
    explicit SiteSession(bool host) {
        EXPECT_TRUE(site.Start());
        client::Settings& s = client::AppSettings();
        s.CpuSpeed = 12;
        s.PlayWithCpu = 1;
        s.ServerPort = FreePort();
        s.Surname = host ? "Hosty" : "Guesty";
        s.NetPassword = "pw";
        lobby::AppCounters() = lobby::Counters{};
        main().WebBaseUrl = site.Url() + "all/";
        main().FilesBaseUrl = site.Url() + "files/";
        lobby().radioType->setCurrentIndex(host ? 0 : 1);
        lobby().Timer4->setInterval(20);
    }
    ~SiteSession() {
        main().CloseGameSockets();
        lobby::AppCounters() = lobby::Counters{};
    }
    client::TForm1& main() { return windows.main(); }
    client::TForm14& lobby() { return *static_cast<client::TForm14*>(client::AppForms().Form14); }
    bool LogIn() {
        // Connect checks the account first; its competitions come with the reply.
        main().Connect1Click();
        if (!WaitFor([&] { return lobby().LoggedIn() && lobby().Timer4->isActive(); })) return false;
        EXPECT_EQ(lobby().ComboBox1->currentText().toStdString(), "Free Play (C)");
        EXPECT_TRUE(windows.messages.texts.empty()) << "no refusal on the way";
        return true;
    }
    // Selects the user list's row of that name.
    bool Select(const std::string& name) {
        for (int r = 1; r < lobby().RowCount(); ++r)
            if (lobby().Cell(r, 0) == name) {
                lobby().GridUsers->selectRow(r - 1);
                return true;
            }
        return false;
    }
    std::vector<std::string> Queries() {
        log += site.ErrorOutput();
        return LobbyQueries(log);
    }
    bool Sent(const std::string& fragment) {
        for (const std::string& q : Queries())
            if (q.find(fragment) != std::string::npos) return true;
        return false;
    }

    StandInSite site;
    ClientWindows windows;
    QByteArray log;
};

TEST(Handshake, AHostInvitesAGuestAndTheyPlayAWholeGameWithTheResultOnTheSite) {
    SiteSession s(true);
    platform::SetFixedSeed(41);
    const int guestPort = FreePort();
    SiteUser guestUser(s.site.Url(), "Guesty", guestPort, false);
    ASSERT_EQ(guestUser.LogIn().substr(0, 4), "*01:");
    ASSERT_TRUE(s.LogIn());
    EXPECT_EQ(s.lobby().ListBox2->item(0)->text().toStdString(), "Standard Player (CPU)");
    ASSERT_TRUE(WaitFor([&] { return s.Select("Guesty"); }));

    // 2: the invitation; 4: the guest accepts; the host, with its computer seat, starts.
    s.lobby().ButtonInviteClick();
    lobby::aMessage m;
    ASSERT_TRUE(guestUser.WaitMessage(2, m));
    const int hostPort = client::AppSettings().ServerPort;
    EXPECT_EQ(m.SenderPort, hostPort);
    guestUser.Send(4, m.SenderIP, m.SenderPort);
    ASSERT_TRUE(WaitFor([&] { return s.main().GameHost && s.main().GameHost->IsListening(); }, 10000));
    EXPECT_TRUE(s.main().TimerError->isActive());
    EXPECT_EQ(s.main().titreJeu->text().toStdString(), "Free Play");
    EXPECT_FALSE(s.main().imgComp0->isHidden());
    EXPECT_EQ(s.lobby().Cell(1, 0), "Not connected");

    // 7 reaches the guest only (the first slot is the computer); 6 back; then 5.
    ASSERT_TRUE(guestUser.WaitMessage(7, m));
    guestUser.Send(6, m.SenderIP, m.SenderPort);
    ASSERT_TRUE(guestUser.WaitMessage(5, m));
    const auto queries = s.Queries();
    EXPECT_EQ(std::count_if(queries.begin(), queries.end(),
                            [](const std::string& q) { return q.find("wtype=7") != std::string::npos; }),
              1);

    // The guest connects over the game link and joins.
    net::HeadlessGameWindow guestWindow;
    net::GameLinkGuest guest(guestWindow);
    guest.Setup = s.main().CurrentGameSetup();
    guest.StatisticsFile = s.windows.folder.path() + "/guest.sta";
    guest.LobbyAddress = "127.0.0.1";
    SideDriver driver(guestWindow, &guest);
    guest.Connect("127.0.0.1", hostPort);
    ASSERT_TRUE(WaitFor([&] { return dynamic_cast<JeuNet*>(s.main().CurrentGame.get()) && guestWindow.Game; }));
    EXPECT_FALSE(s.main().TimerError->isActive());
    EXPECT_FALSE(s.lobby().Timer4->isActive());
    ASSERT_TRUE(WaitFor([&] { return s.Sent("req=02&wsurnom=Hosty&wpassword=***&wnomcomp=Free%20Play"); }));
    EXPECT_EQ(lobby::AppCounters().SavedRequestCounter + 2, lobby::AppCounters().LobbyRequestCounter)
        << "the leave keeps the counter, the two picture requests step it";
    EXPECT_TRUE(s.main().BitBtn1->isVisible());
    EXPECT_TRUE(s.main().BitBtn1->isEnabled());

    ScriptedUser user{s.main()};
    ASSERT_TRUE(WaitFor(
        [&] {
            WindowTick(s.main(), user);
            driver.tick();
            return s.main().CurrentGame->GameOver && guestWindow.Game && guestWindow.Game->GameOver;
        },
        60000));
    auto& host = dynamic_cast<JeuNet&>(*s.main().CurrentGame);
    ASSERT_EQ(guestWindow.Results.size(), 1u);
    guestUser.Result(guestWindow.Results[0]);
    const std::string hostResult = "req=08&wsurnom=Hosty&wpassword=***&wnomcomp=Free%20Play&wadIP=127.0.0.1&wres=" +
                                   std::to_string(host.LastResult);
    ASSERT_TRUE(WaitFor([&] { return s.Sent(hostResult); })) << hostResult;
    EXPECT_TRUE(WaitFor([&] {
        return s.Sent("req=08&wsurnom=Guesty&wpassword=***&wnomcomp=Free%20Play&wadIP=127.0.0.1&wres=" +
                      std::to_string(guestWindow.Results[0]));
    }));
    guest.Close();
}

TEST(Handshake, AGuestAcceptsAnInvitationAndPlaysAWholeGameWithItsHost) {
    SiteSession s(false);
    platform::SetFixedSeed(42);
    net::HeadlessGameWindow hostWindow;
    net::GameLinkHost host(hostWindow);
    ASSERT_TRUE(ListenAsHosty(host, s.main(), s.windows.folder.path() + "/host.sta"));
    SideDriver driver(hostWindow);
    SiteUser hostUser(s.site.Url(), "Hosty", host.Port(), true);
    ASSERT_EQ(hostUser.LogIn().substr(0, 4), "*01:");
    ASSERT_TRUE(s.LogIn());
    const int myPort = client::AppSettings().ServerPort;

    // The host invites; the guest accepts through its Accept button.
    hostUser.Send(2, "127.0.0.1", myPort);
    ASSERT_TRUE(WaitFor([&] { return s.lobby().Button3->isEnabled(); }, 10000));
    EXPECT_EQ(s.lobby().MemoReceived->toPlainText().left(16).toStdString(), "Invitation from ");
    const int before = lobby::AppCounters().LobbyRequestCounter;
    s.lobby().Button3Click();
    EXPECT_GE(lobby::AppCounters().LobbyRequestCounter, before + 1);
    EXPECT_EQ(s.lobby().OpponentCount, 1);
    EXPECT_EQ(s.lobby().ListBox2->item(0)->text().toStdString().substr(0, 7), "Hosty (");
    lobby::aMessage m;
    ASSERT_TRUE(hostUser.WaitMessage(4, m));
    EXPECT_EQ(m.Data, "127.0.0.1");
    EXPECT_EQ(m.SenderPort, myPort);

    // A second invitation cannot be accepted: the guest has its host.
    SiteUser other(s.site.Url(), "Other", FreePort(), true);
    other.LogIn();
    ASSERT_TRUE(WaitFor([&] { return s.lobby().RowCount() >= 3; }, 10000));
    other.Send(2, "127.0.0.1", myPort);
    ASSERT_TRUE(WaitFor([&] { return s.lobby().LobbyMessages.size() >= 2; }, 10000));
    s.lobby().CurrentMessage = int(s.lobby().LobbyMessages.size()) - 1;
    s.lobby().BitBtn6Click();
    s.lobby().BitBtn5Click();
    EXPECT_FALSE(s.lobby().Button3->isEnabled());
    s.lobby().Button3Click();
    EXPECT_EQ(s.lobby().OpponentCount, 1);

    // 7 from the host, 6 back, 5: the guest leaves the lobby and connects.
    hostUser.Send(7, "127.0.0.1", myPort);
    ASSERT_TRUE(hostUser.WaitMessage(6, m));
    hostUser.Send(5, "127.0.0.1", myPort);
    ASSERT_TRUE(WaitFor([&] { return dynamic_cast<JeuNet*>(s.main().CurrentGame.get()) != nullptr; }, 10000));
    EXPECT_TRUE(s.lobby().StopPolling);
    EXPECT_TRUE(WaitFor([&] { return s.Sent("req=02&wsurnom=Guesty&wpassword=***&wnomcomp=Free%20Play"); }));
    EXPECT_FALSE(s.main().TimerError->isActive());

    ScriptedUser user{s.main()};
    ASSERT_TRUE(WaitFor(
        [&] {
            WindowTick(s.main(), user);
            driver.tick();
            return s.main().CurrentGame->GameOver && hostWindow.Game && hostWindow.Game->GameOver;
        },
        60000));
    auto& mine = dynamic_cast<JeuNet&>(*s.main().CurrentGame);
    ASSERT_TRUE(WaitFor([&] {
        return s.Sent("req=08&wsurnom=Guesty&wpassword=***&wnomcomp=Free%20Play&wadIP=127.0.0.1&wres=" +
                      std::to_string(mine.LastResult));
    }));
    host.Close();
}

// The list reply's records as the dispatch sees them, on a scripted site.
TEST(Handshake, AMessageListIsReadUpToItsFirstStartOrGo) {
    struct Case {
        const char* name;
        bool host;
        int playWithCpu;
        std::string records;
        std::size_t kept;         // messages kept in the window
        int opponents;            // opponent count afterwards
        const char* lastSlotName; // the slot the last acceptance filled
        bool invitesBob = false;  // the player invited Bob before the list came
    };
    const std::string bob = "127.0.0.1", cleo = "127.0.0.2";
    const Case cases[] = {
        {"two acceptances: the last one wins", true, 0,
         MessageRecordText(4, bob, 3001) + MessageRecordText(4, cleo, 3002), 2, 1, "Cleo-o"},
        {"nothing read after a game start", false, 1,
         MessageRecordText(7, bob, 3001) + MessageRecordText(1, bob, 3001, "late"), 1, 1, "Bob-o", true},
        {"an uninvited host's start is not obeyed", false, 1,
         MessageRecordText(7, bob, 3001) + MessageRecordText(1, bob, 3001, "read on"), 2, 0, ""},
        {"an unlisted acceptance fills nothing", true, 0, MessageRecordText(4, "10.1.1.1", 9), 1, 0, ""},
        {"an unlisted start is not answered", false, 1, MessageRecordText(7, "10.1.1.1", 9), 1, 0, ""},
        {"an acknowledgement is answered and dropped", true, 1, MessageRecordText(6, cleo, 3002), 0, 1, ""},
    };
    for (const Case& c : cases) {
        LobbyWindows w("Anna", c.host ? 1 : 0);
        client::AppSettings().PlayWithCpu = c.playWithCpu;
        ASSERT_TRUE(w.LogIn("*01:" + UserRecordText("Bob", c.host ? "Cl" : "Se", "fr", bob, 3001) +
                            UserRecordText("Cleo", "Cl", "fr", cleo, 3002) + "*"))
            << c.name;
        client::TForm14& l = w.lobby();
        if (c.invitesBob) {
            l.GridUsers->selectRow(0);
            l.ButtonInviteClick();
            ASSERT_TRUE(WaitFor([&] { return w.site.Count("04") == 1; })) << c.name;
        }
        ASSERT_TRUE(w.PollMessages("*05:" + c.records + "*")) << c.name;
        EXPECT_EQ(l.LobbyMessages.size(), c.kept) << c.name;
        EXPECT_EQ(l.OpponentCount, c.opponents) << c.name;
        if (*c.lastSlotName) EXPECT_EQ(l.Opponents[c.opponents - 1].Name, c.lastSlotName) << c.name;
        std::vector<FakeLobby::Request> sent;  // the answers, not the invitation
        for (const auto& r : w.site.Of("04"))
            if (r.key("wtype") != "2") sent.push_back(r);
        if (std::string(c.name).find("unlisted start") != std::string::npos) EXPECT_TRUE(sent.empty());
        if (std::string(c.name).find("uninvited") != std::string::npos) EXPECT_TRUE(sent.empty());
        if (std::string(c.name).find("acknowledgement") != std::string::npos) {
            ASSERT_EQ(sent.size(), 1u) << c.name;
            EXPECT_EQ(sent[0].key("wtype"), "5");
            EXPECT_EQ(sent[0].key("widdestin"), cleo);
            EXPECT_EQ(sent[0].key("wportdestin"), "3002");
        }
        if (std::string(c.name).find("game start") != std::string::npos) {
            ASSERT_EQ(sent.size(), 1u) << c.name;
            EXPECT_EQ(sent[0].key("wtype"), "6");
            EXPECT_EQ(sent[0].key("wdatetime").substr(0, 3), "on ");
        }
    }
}

TEST(Handshake, InvitationsKeepToTheRolesAndAnswersGoToTheSender) {
    LobbyWindows w("Anna", 1);
    ASSERT_TRUE(w.LogIn("*01:" + UserRecordText("Srv", "Se", "fr", "127.0.0.1", 3001) +
                        UserRecordText("Lnk", "Cl", "lk", "127.0.0.1", 3002) +
                        UserRecordText("Gst", "Cl", "fr", "127.0.0.1", 3003) + "*"));
    client::TForm14& l = w.lobby();
    struct Case {
        int row;
        const char* message;  // nullptr: the invitation is sent
    };
    const Case cases[] = {{1, "You can't invite a same kind as yours player (client or server)"},
                          {2, "Player already linked"},
                          {3, nullptr}};
    for (const Case& c : cases) {
        w.windows.messages.texts.clear();
        l.GridUsers->selectRow(c.row - 1);
        l.ButtonInviteClick();
        Pump(20);
        if (c.message) {
            ASSERT_EQ(w.windows.messages.texts.size(), 1u);
            EXPECT_EQ(w.windows.messages.texts[0], c.message);
        }
    }
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("04") == 1; }));
    const auto invite = w.site.Of("04")[0];
    EXPECT_EQ(invite.key("wtype"), "2");
    EXPECT_EQ(invite.key("wportdestin"), "3003");
    EXPECT_EQ(invite.key("wdata"), "");
    EXPECT_EQ(invite.iop(), lobby::AppCounters().LobbyRequestCounter) << "an invitation does not step the counter";
    EXPECT_FALSE(l.ButtonInvite->isEnabled());

    // An invitation from Gst is refused while another row is selected: the refusal goes to Gst.
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(2, "127.0.0.1", 3003) + "*"));
    EXPECT_TRUE(l.Button4->isEnabled());
    l.GridUsers->selectRow(0);
    l.Button4Click();
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("04") == 2; }));
    EXPECT_EQ(w.site.Of("04")[1].key("wtype"), "3");
    EXPECT_EQ(w.site.Of("04")[1].key("wportdestin"), "3003");
    EXPECT_TRUE(l.LobbyMessages[0].Answered);
}

TEST(Handshake, AHostWithTheComputerStartsOnOneAcceptanceAndStartsOnlyTheGuest) {
    LobbyWindows w("Anna", 1);
    client::AppSettings().PlayWithCpu = 1;
    client::AppSettings().ServerPort = FreePort();
    ASSERT_TRUE(w.LogIn("*01:" + UserRecordText("Gst", "Cl", "fr", "127.0.0.1", 3003) + "*"));
    client::TForm14& l = w.lobby();
    ASSERT_EQ(l.OpponentCount, 1);
    EXPECT_EQ(l.Opponents[0].State, 3);
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(2, "127.0.0.1", 3003) + "*"));
    l.Button3Click();
    ASSERT_TRUE(w.main().GameHost && w.main().GameHost->IsListening());
    const auto sent = w.site.Of("04");
    ASSERT_EQ(sent.size(), 1u) << "no acceptance is sent: the game starts at once";
    EXPECT_EQ(sent[0].key("wtype"), "7");
    EXPECT_EQ(sent[0].key("wportdestin"), "3003");
    EXPECT_EQ(w.main().StatusBar1->currentMessage().toStdString(), " Waiting for connection...");
    EXPECT_TRUE(w.lobby().isHidden());
    w.main().CloseGameSockets();
}

} // namespace

// Accented names, competition, chat and messages against the real stand-in site: every
// "é" leaves as the single byte %E9, arrives as it left and shows as it was typed.
TEST(Handshake, AccentedNamesCompetitionAndMessagesTravelAsSingleBytesBothWays) {
    const std::string competition = "Tournoi d'\xE9t\xE9";
    const std::string host = "zo\xE9", me = "Andr\xE9", text = "\xE9\xE0\xE7 ok";
    SiteSession s(false);
    client::AppSettings().Surname = me;
    net::HeadlessGameWindow hostWindow;
    net::GameLinkHost hostLink(hostWindow);
    ASSERT_TRUE(ListenAsHosty(hostLink, s.main(), s.windows.folder.path() + "/host.sta"));
    hostLink.OwnName = host;
    hostLink.Opponents = {net::LobbySlot{"CPU", 3, ""}, net::LobbySlot{me, 1, "127.0.0.1"}};
    SideDriver driver(hostWindow);
    SiteUser hostUser(s.site.Url(), host, hostLink.Port(), true, competition);
    ASSERT_EQ(hostUser.LogIn().substr(0, 4), "*01:");

    // The site's competitions, as the banner's account check hands them to the window; the
    // user picks the accented one and connects.
    s.lobby().NMHTTP0Success(hostUser.Check());
    ASSERT_EQ(S(s.lobby().ComboBox1->itemText(1)), competition + " (C)");
    s.lobby().ComboBox1->setCurrentIndex(1);
    s.main().Connect1Click();
    ASSERT_TRUE(WaitFor([&] { return s.lobby().LoggedIn() && s.Select(host); }, 10000));
    const int myPort = client::AppSettings().ServerPort;

    // The invitation's memo line, the opponent's slot and the acceptance.
    hostUser.Send(2, "127.0.0.1", myPort);
    ASSERT_TRUE(WaitFor([&] { return s.lobby().Button3->isEnabled(); }, 10000))
        << s.lobby().LobbyMessages.size() << " " << S(s.lobby().MemoReceived->toPlainText());
    EXPECT_EQ(S(s.lobby().MemoReceived->toPlainText()).substr(0, 21), "Invitation from " + host + " (");
    s.lobby().Button3Click();
    ASSERT_EQ(s.lobby().OpponentCount, 1);
    EXPECT_EQ(S(s.lobby().ListBox2->item(0)->text()).substr(0, 5), host + " (");
    lobby::aMessage m;
    ASSERT_TRUE(hostUser.WaitMessage(4, m));

    // A private message both ways, through the composer and the received messages.
    hostUser.SendText(text, "127.0.0.1", myPort);
    ASSERT_TRUE(WaitFor([&] {
        const auto& got = s.lobby().LobbyMessages;
        return std::any_of(got.begin(), got.end(), [&](const lobby::aMessage& r) { return r.Kind == 1 && r.Data == text; });
    }, 10000));
    s.lobby().CurrentMessage = int(s.lobby().LobbyMessages.size()) - 1;
    s.lobby().BitBtn6Click();
    s.lobby().BitBtn5Click();
    EXPECT_NE(S(s.lobby().MemoReceived->toPlainText()).find("\n" + text), std::string::npos)
        << S(s.lobby().MemoReceived->toPlainText());
    auto& composer = *static_cast<client::TForm11*>(client::AppForms().Form11);
    composer.OpenFor("Send", "127.0.0.1", hostLink.Port());
    composer.MemoToBeSent->setFocus();
    TypeInto(composer.MemoToBeSent, Q(text));
    composer.Button1Click();
    ASSERT_TRUE(hostUser.WaitMessage(1, m));
    EXPECT_EQ(m.Data, text);

    // The game starts; the host's name is on the guest's table and its picture is fetched.
    hostUser.Send(7, "127.0.0.1", myPort);
    ASSERT_TRUE(hostUser.WaitMessage(6, m));
    hostUser.Send(5, "127.0.0.1", myPort);
    ASSERT_TRUE(WaitFor([&] { return dynamic_cast<JeuNet*>(s.main().CurrentGame.get()) && hostWindow.Game; }, 10000));
    const Jeu& table = *s.main().CurrentGame;
    EXPECT_TRUE(table.Seats[0].Name == host || table.Seats[2].Name == host);
    EXPECT_EQ(hostWindow.Game->Seats[2].Name == me || hostWindow.Game->Seats[0].Name == me, true);
    ASSERT_TRUE(WaitFor([&] {
        driver.tick();
        return platform::FileExists(client::InProgramDir("players/net/" + host + ".jpg"));
    }, 10000));

    // A chat line arrives unchanged; a character Latin-1 cannot hold is refused at the field.
    auto& chat = *static_cast<client::TForm12*>(client::AppForms().Form12);
    TypeInto(chat.Edit1, Q(text));
    TypeInto(chat.Edit1, QString(QChar(0x20AC)));
    EXPECT_EQ(S(chat.Edit1->text()), text);
    EXPECT_EQ(S(QToolTip::text()), "This character cannot be used here");
    chat.Button1Click();
    EXPECT_EQ(S(chat.Memo1->toPlainText()), me + ": " + text);
    ASSERT_TRUE(WaitFor([&] {
        driver.tick();
        return !hostWindow.Chat.empty();
    }, 10000));
    EXPECT_NE(hostWindow.Chat.back().find(me + ": " + text), std::string::npos) << hostWindow.Chat.back();

    // What the site received: single bytes, never UTF-8.
    const std::string nick = "wsurnom=Andr%E9&", comp = "wnomcomp=Tournoi%20d'%E9t%E9";
    EXPECT_TRUE(s.Sent("req=01&" + nick)) << "log in";
    EXPECT_TRUE(s.Sent("req=01&" + nick + "wpassword=***&" + comp));
    EXPECT_TRUE(s.Sent("req=03&"));
    EXPECT_TRUE(s.Sent("req=04&" + nick));
    EXPECT_TRUE(s.Sent("wdata=%E9%E0%E7%20ok"));
    EXPECT_TRUE(s.Sent("req=02&" + nick + "wpassword=***&" + comp));
    for (const std::string& q : s.Queries()) EXPECT_EQ(q.find("%C3"), std::string::npos) << q;
    EXPECT_NE(s.log.indexOf("GET /files/players/community/zo%E9.jpg HTTP/1.1\" 200"), -1);
    hostLink.Close();
}
