// Hosting on the server with scripted guests and no site: the opening of a game, the
// guest's lines, the game driver and the time-outs.
#include "ServerFixture.h"

namespace {

class Hosting : public ServerFixture {
protected:
    void SetUp() override {
        ServerFixture::SetUp();
        port = FreePort();
    }

    // The robot logged in with one listed user (address, port 3000) who invites it.
    void Invited(int playWithCpu = 1) {
        StartServer(SettingsText("robot", "pw", port, playWithCpu));
        ConnectedWithOneUser("127.0.0.1", 3000);
        if (playWithCpu == 0) main->NMHTTP3Success("*03:[ann;ann;FR;Cl;fr;now;127.0.0.1;3000][bob;bob;DE;Cl;fr;now;127.0.0.1;3001]*");
        main->NMHTTP5Success("*05:[2;stamp;127.0.0.1;3000;x;]*");
        main->Timer4->stop();
    }

    // A raw guest connected and joined; its first line is the banner.
    std::unique_ptr<RawGuest> Join(bool join = true) {
        auto guest = std::make_unique<RawGuest>();
        EXPECT_TRUE(guest->connectTo(port));
        if (join) guest->sendLine("8:&");
        return guest;
    }

    int port = 0;
};

// A tile the seat can play, as a line ("2:" seat & index & side &), or a pass.
std::string MoveFor(const JeuNet& g, int seat) {
    const Joueur& j = g.Seats[seat];
    for (int i = 0; i < j.HandCount; ++i) {
        const Domino& d = j.Hand[i];
        if (g.IsEmptyTable() || d.Fits(g.RightEnd)) return net::TilePlayedLine(seat, i, RightEndSide);
        if (d.Fits(g.LeftEnd)) return net::TilePlayedLine(seat, i, LeftEndSide);
    }
    return net::GuestPassLine();
}

} // namespace

TEST_F(Hosting, AnInvitationOpensTheGameAndTheGuestPlaysItToTheEnd) {
    Invited();
    EXPECT_EQ(main->OpponentCount, 2);
    ASSERT_TRUE(main->WSocketServer1->IsListening());
    ASSERT_EQ(notices.size(), 1u);  // mode 1: one human opponent
    EXPECT_NE(notices[0].find("req=04&wsurnom=robot&wpassword=pw&wtype=7&widsource=127.0.0.1&wportsource=" +
                              std::to_string(port) + "&widdestin=127.0.0.1&wportdestin=3000&"),
              std::string::npos);
    EXPECT_TRUE(main->TimerError->isActive());
    EXPECT_NE(main->Memo2->toPlainText().toStdString().find("Invitation of ann"), std::string::npos);

    net::HeadlessGameWindow window;
    net::GameLinkGuest guest(window);
    guest.LobbyAddress = "127.0.0.1";
    SideDriver driver(window, &guest);
    guest.Connect("127.0.0.1", port);
    ASSERT_TRUE(WaitFor([&] { return main->CurrentGame && window.Game; }));
    EXPECT_FALSE(main->TimerError->isActive());
    EXPECT_NE(main->Http->Component(2).LastUrl().find("req=02&wsurnom=robot&wpassword=pw&wnomcomp=Free%20Play"),
              std::string::npos);

    const JeuNet& g = *main->CurrentGame;
    EXPECT_EQ(g.Seats[0].Name, "ann");
    EXPECT_EQ(g.Seats[1].Name, "robot");
    EXPECT_EQ(g.ComputerSeat, 2);
    EXPECT_EQ(g.Seats[1].Kind, Joueur::KindNetLocal);
    // The first hand is led by the highest double, on both sides of the link alike.
    ASSERT_EQ(g.Played.size(), 1u);
    const Domino lead = g.Played[0].Tile;
    EXPECT_EQ(lead.Value1, lead.Value2);
    for (const Joueur& seat : g.Seats)
        for (int i = 0; i < seat.HandCount; ++i)
            EXPECT_FALSE(seat.Hand[i].Value1 == seat.Hand[i].Value2 && seat.Hand[i].Value1 > lead.Value1);
    EXPECT_EQ(StateOf(g), StateOf(*window.Game));

    main->CpuDelayTicks = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            if (main->CurrentGame && !main->CurrentGame->GameOver) main->Timer1Timer();
            driver.tick();
            return main->CurrentGame && main->CurrentGame->GameOver;
        },
        20000));
    const int result = main->CurrentGame->LastResult;
    EXPECT_EQ(server::AppStatistics().Played, 1);
    EXPECT_EQ(folder.read("datas_ds.sta").substr(0, 3), "1\r\n");
    EXPECT_NE(main->Http->Component(8).LastUrl().find("&wres=" + std::to_string(result) + "&"), std::string::npos);
    // The tick after the end drops the game and the robot logs in again.
    main->Timer1Timer();
    EXPECT_FALSE(main->CurrentGame);
    EXPECT_FALSE(main->WSocketServer1->IsListening());
    EXPECT_NE(main->Http->Component(1).LastUrl().find("req=01&"), std::string::npos);
}

TEST_F(Hosting, TheGuestFirstReadsTheBannerAndAComputerSeatMovesEvery19Ticks) {
    Invited();
    auto guest = Join();
    ASSERT_TRUE(guest->waitLines(2));
    EXPECT_EQ(guest->lines()[0], "Welcome to TcpSrv");
    ASSERT_EQ(guest->lines()[1].substr(0, 2), "0:");
    const auto f = Fields(guest->lines()[1]);
    ASSERT_EQ(f.size(), 51u);
    EXPECT_EQ(f[2], "1");  // the guest: a client user
    EXPECT_EQ(f[3], "robot");
    EXPECT_EQ(f[5], "0");
    EXPECT_EQ(f[8], "3");  // seat 2: the computer
    ASSERT_TRUE(main->Timer1->isActive());
    main->Timer1->stop();

    JeuNet& g = *main->CurrentGame;
    // The guest moves first when it is its turn; then the seat the server plays.
    while (!g.PlaysHere(g.SeatToMove) && !g.RoundOver) {
        const int seat = g.SeatToMove;
        guest->sendLine(MoveFor(g, seat));
        ASSERT_TRUE(WaitFor([&] { return g.SeatToMove != seat || g.RoundOver; }));
    }
    ASSERT_FALSE(g.RoundOver);
    // A step has just been made (or the game just started): 18 waiting ticks, then the step.
    main->CpuDelayCountdown = main->CpuDelayTicks;
    const int seat = g.SeatToMove;
    for (int tick = 1; tick <= 18; ++tick) {
        main->Timer1Timer();
        ASSERT_EQ(g.SeatToMove, seat) << "tick " << tick;
    }
    main->Timer1Timer();
    EXPECT_TRUE(g.SeatToMove != seat || g.RoundOver);
}

TEST_F(Hosting, LinesAGuestShouldNotSendAreDroppedAndTheServerGoesOn) {
    Invited();
    auto guest = Join();
    ASSERT_TRUE(WaitFor([&] { return main->CurrentGame != nullptr; }));
    main->Timer1->stop();
    JeuNet& g = *main->CurrentGame;
    const TableState before = StateOf(g);
    for (const char* line : {"2:x&0&d&", "2:0&9&d&", "2:7&0&d&", "2:0&0", "2:-1&0&d&", "1:0&", "0:a&b&",
                             "7:&", "9:1&I am the server&", "9:5&x&", ":::", "2:99999999999&0&d&", "8:&"}) {
        guest->sendLine(line);
    }
    guest->sendLine("9:0&hello&");
    ASSERT_TRUE(WaitFor([&] { return server::AppForms().Form12 == nullptr || true; }));
    Pump(200);
    EXPECT_FALSE(guest->closed());
    ASSERT_EQ(main->CurrentGame.get(), &g);  // the stray join did not restart the game
    EXPECT_FALSE(g.GameOver);
    EXPECT_EQ(StateOf(g), before);
    EXPECT_GE(main->WSocketServer1->Counts().Malformed + main->WSocketServer1->Counts().Refused, 10);
    // The server still plays its seats.
    main->CpuDelayTicks = 0;
    main->CpuDelayCountdown = 0;
    if (g.PlaysHere(g.SeatToMove)) {
        main->Timer1Timer();
        EXPECT_NE(StateOf(g), before);
    }
}

TEST_F(Hosting, WithTwoHumanGuestsAMoveGoesOnlyToTheOtherGuest) {
    Invited(0);
    // The first guest accepted is told so; the second opens the game with two notices.
    main->NMHTTP5Success("*05:[2;stamp;127.0.0.1;3001;x;]*");
    ASSERT_EQ(main->OpponentCount, 2);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_NE(notices[0].find("wportdestin=3000"), std::string::npos);
    EXPECT_NE(notices[1].find("wportdestin=3001"), std::string::npos);
    auto a = Join(false);
    auto b = Join(false);
    ASSERT_TRUE(WaitFor([&] { return main->WSocketServer1->ConnectionCount() == 2; }));
    // Each guest joins; with one address for both, the join order gives seats 0 and 2.
    a->sendLine("8:&");
    Pump(100);
    b->sendLine("8:&");
    ASSERT_TRUE(WaitFor([&] { return main->CurrentGame != nullptr; }));
    ASSERT_TRUE(a->waitLines(2) && b->waitLines(2));
    EXPECT_EQ(a->lines()[1].substr(0, 2), "0:");
    EXPECT_EQ(b->lines()[1], a->lines()[1]);
    main->Timer1->stop();
    JeuNet& g = *main->CurrentGame;
    main->CpuDelayTicks = 0;
    while (g.PlaysHere(g.SeatToMove) && !g.RoundOver) main->Timer1Timer();
    ASSERT_FALSE(g.RoundOver);
    Pump(200);  // the server's own moves reach both guests first
    const int seat = g.SeatToMove;
    const std::string move = MoveFor(g, seat);
    RawGuest& mover = seat == 0 ? *a : *b;
    RawGuest& other = seat == 0 ? *b : *a;
    const std::size_t moverBefore = mover.lines().size(), otherBefore = other.lines().size();
    mover.sendLine(move);
    ASSERT_TRUE(WaitFor([&] { return g.SeatToMove != seat || g.RoundOver; }));
    ASSERT_TRUE(other.waitLines(otherBefore + 1));
    Pump(100);
    const std::string relayed = move.substr(0, 2) == "3:" ? "3:" + std::to_string(seat) + "&" : move;
    EXPECT_EQ(other.withCode(move[0], otherBefore).at(0), relayed);
    EXPECT_TRUE(mover.withCode(move[0], moverBefore).empty());
}

TEST_F(Hosting, AGuestThatLeavesMidHandEndsTheGameAndTheRobotReturns) {
    Invited();
    auto guest = Join();
    ASSERT_TRUE(WaitFor([&] { return main->CurrentGame != nullptr; }));
    guest->socket().abort();
    ASSERT_TRUE(WaitFor([&] { return main->CurrentGame->GameOver; }));
    EXPECT_TRUE(main->GameAborted);
    EXPECT_EQ(main->StatusBar1->currentMessage().toStdString(), " One of the players have left the game.");
    main->Timer1Timer();
    EXPECT_FALSE(main->CurrentGame);
    EXPECT_NE(main->Http->Component(1).LastUrl().find("req=01&"), std::string::npos);
    EXPECT_EQ(server::AppStatistics().Played, 0);
}

TEST_F(Hosting, TheMoveClockAbandonsTheGameAndALaterDepartureShowsNoText) {
    Invited();
    auto guest = Join();
    ASSERT_TRUE(WaitFor([&] { return main->CurrentGame != nullptr; }));
    main->TimeUpTimer();
    EXPECT_TRUE(main->CurrentGame->GameOver);
    EXPECT_TRUE(main->GameAborted);
    const std::string url = main->Http->Component(8).LastUrl();
    EXPECT_NE(url.find("req=08&wsurnom=robot&wpassword=pw&wnomcomp=Free%20Play&wadIP=127.0.0.1&wres=5&iop="),
              std::string::npos) << url;
    main->StatusBar1->clearMessage();
    guest->socket().abort();
    Pump(200);
    // The robot is on its way back to the lobby (whose failure the status bar may tell);
    // the departure itself is not told.
    EXPECT_EQ(main->StatusBar1->currentMessage().toStdString().find("left the game"), std::string::npos);
}

TEST_F(Hosting, AGuestThatNeverComesSendsTheRobotBackToTheLobby) {
    Invited();
    ASSERT_TRUE(main->TimerError->isActive());
    main->TimerErrorTimer();
    EXPECT_FALSE(main->TimerError->isActive());
    EXPECT_NE(main->Http->Component(2).LastUrl().find("req=02&wsurnom=robot&wpassword=pw&wadIP="), std::string::npos);
    EXPECT_NE(main->Http->Component(1).LastUrl().find("req=01&"), std::string::npos);
    EXPECT_FALSE(main->WSocketServer1->IsListening());
    EXPECT_NE(main->Memo2->toPlainText().toStdString().find("Robot deconnexion (robot)"), std::string::npos);
}

TEST_F(Hosting, APortThatCannotBeListenedOnAnnouncesNoGame) {
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, 0));
    port = taken.serverPort();
    Invited();
    EXPECT_TRUE(notices.empty());
    EXPECT_FALSE(main->TimerError->isActive());
    EXPECT_NE(main->Memo2->toPlainText().toStdString().find("Cannot listen on port " + std::to_string(port)),
              std::string::npos);
    EXPECT_NE(main->StatusBar1->currentMessage().toStdString().find("1024 or more"), std::string::npos);
    EXPECT_NE(main->Http->Component(1).LastUrl().find("req=01&"), std::string::npos);
}

TEST_F(Hosting, AnInvitationWhileTwoOpponentsAreSeatedIsShownButNotAccepted) {
    Invited();
    const std::size_t before = notices.size();
    main->NMHTTP3Success("*03:[ann;ann;FR;Cl;fr;now;127.0.0.1;3000][cid;cid;FR;Cl;fr;now;127.0.0.1;3005]*");
    main->NMHTTP5Success("*05:[2;stamp;127.0.0.1;3005;x;]*");
    EXPECT_EQ(notices.size(), before);
    EXPECT_EQ(main->OpponentCount, 2);
    EXPECT_NE(main->MemoReceived->toPlainText().toStdString().find("Invitation from cid"), std::string::npos);
}

// Game-start acknowledgements (kind 6) are answered only for the player being set up, once:
// a reply of hundreds of them, from the guest or from anyone, sends one notice.
TEST_F(Hosting, AFloodOfAcknowledgementsSendsOneNoticeToThePlayerBeingSetUp) {
    StartServer(SettingsText("robot", "pw", port));
    ConnectedWithOneUser("127.0.0.1", 3000);
    main->NMHTTP3Success("*03:[ann;ann;FR;Cl;fr;now;127.0.0.1;3000][eve;eve;FR;Cl;fr;now;10.0.0.9;4000]*");
    const auto acks = [&](const std::string& from, int count) {
        std::string reply = "*05:";
        for (int i = 0; i < count; ++i) reply += "[6;stamp;" + from + ";x;]";
        main->NMHTTP5Success(reply + "*");
    };
    // No game is being set up: nobody is answered.
    acks("127.0.0.1;3000", 200);
    EXPECT_TRUE(notices.empty());

    main->NMHTTP5Success("*05:[2;stamp;127.0.0.1;3000;x;]*");
    ASSERT_EQ(notices.size(), 1u);  // the game-start notice
    acks("10.0.0.9;4000", 200);
    acks("127.0.0.1;3000", 200);
    acks("127.0.0.1;3000", 5);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_NE(notices[1].find("req=04&wsurnom=robot&wpassword=pw&wtype=5&"), std::string::npos) << notices[1];
    EXPECT_NE(notices[1].find("&widdestin=127.0.0.1&wportdestin=3000&"), std::string::npos) << notices[1];
    main->Timer4->stop();
}
