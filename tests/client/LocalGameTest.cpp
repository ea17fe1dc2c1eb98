#include "ClientFixture.h"
#include "ScriptedUser.h"
#include "client/VueInfoJeu.h"
#include "game/Statistics.h"

namespace {

// Plays the whole game: the user's moves with the mouse, the next-round button clicked,
// ticks driven directly so the test runs fast.
bool playWholeGame(client::TForm1& w) {
    ScriptedUser user{w};
    for (int step = 0; step < 20000; ++step) {
        Jeu& g = *w.CurrentGame;
        if (g.GameOver && g.RoundOver && !w.Timer1->isActive()) return true;
        if (g.RoundOver && !w.Timer1->isActive()) {
            if (w.Button1->isHidden()) return false;
            QTest::mouseClick(w.Button1, Qt::LeftButton);
            continue;
        }
        if (g.SeatToMove == 1 && g.Seats[1].Waiting && !g.Seats[1].Chosen) user.playOnce();
        w.Timer1Timer();
    }
    return false;
}

QStringList logLines() {
    return client::AppForms().Form4->Memo1->toPlainText().split('\n');
}

} // namespace

TEST(LocalGame, AScriptedUserPlaysAWholeGameWithTheMouse) {
    ClientWindows w;
    client::AppSettings().CpuSpeed = 12;  // no waiting between computer moves
    platform::SetFixedSeed(4);
    client::TForm1& main = w.main();
    main.NouvellePartieLocal();
    ASSERT_NE(main.CurrentGame, nullptr);
    EXPECT_TRUE(main.Timer1->isActive());
    EXPECT_EQ(main.titreJeu->text(), "Locally game");
    ASSERT_TRUE(playWholeGame(main));
    const Jeu& g = *main.CurrentGame;
    EXPECT_EQ(*std::max_element(g.RoundWins.begin(), g.RoundWins.end()), 3);
    EXPECT_EQ(main.StatusBar1->currentMessage(),
              " The game is over. Click on New Game to begin another.");
    const auto stats = ReadStatisticsFile(w.folder.path() + "/datas.sta");
    EXPECT_EQ(stats.Played, 1);
    EXPECT_EQ(stats.Won + stats.Lost + (g.RoundWins[1] > 0 && g.RoundWins[1] < 3 ? 1 : 0), 1);
    EXPECT_FALSE(logLines().filter("won the round").isEmpty());

    // A second game starts from the updated counters, and the next start finds them.
    main.NouvellePartieLocal();
    EXPECT_EQ(main.CurrentGame->Stats.Played, 1);
    client::AppSettings().CpuSpeed = 7;
    main.close();  // saves the settings
    client::DestroyClientWindows();
    client::AppSettings() = client::Settings{};
    client::CreateClientWindows();
    EXPECT_EQ(client::AppForms().Form1->Stats.Played, 1);
    EXPECT_EQ(client::AppSettings().CpuSpeed, 7);
}

TEST(LocalGame, ComputerSeatsWaitTheTicksOfTheirSpeed) {
    const std::pair<int, int> rows[] = {{10, 5}, {0, 30}, {3, 22}};
    for (auto [speed, ticks] : rows) {
        ClientWindows w;
        client::AppSettings().CpuSpeed = speed;
        client::TForm1& main = w.main();
        // A deal where a computer seat moves after the opening double.
        for (std::uint32_t seed = 1;; ++seed) {
            platform::SetFixedSeed(seed);
            main.CurrentGame.reset();
            main.NouvellePartieLocal();
            if (main.CurrentGame->SeatToMove != 1) break;
        }
        EXPECT_EQ(client::AppSettings().CpuDelayTicks, ticks);
        Jeu& g = *main.CurrentGame;
        const int mover = g.SeatToMove;
        int waited = 0;
        while (g.SeatToMove == mover && waited < 100) {
            main.Timer1Timer();
            ++waited;
        }
        EXPECT_EQ(waited, ticks + 1) << "speed " << speed;
    }
}

TEST(LocalGame, ARoundWonByTwoSeatsIsLoggedWithOneBlankBetweenWords) {
    ClientWindows w;
    client::TForm1& main = w.main();
    main.NouvellePartieLocal();
    Jeu& g = *main.CurrentGame;
    g.Seats[0].Name = "Ann";
    g.Seats[2].Name = "Bob";
    g.Winners = {0, 2};
    g.RoundOver = true;
    g.Seats[g.SeatToMove].Chosen = false;
    main.Timer1Timer();
    EXPECT_TRUE(logLines().contains(" *Ann and Bob have won the round"));
    EXPECT_FALSE(main.Timer1->isActive());
    EXPECT_FALSE(main.Button1->isHidden());
    EXPECT_EQ(main.StatusBar1->currentMessage(), " Click on Following round button.");
}

TEST(LocalGame, StoppingARunningGameNeedsTheUsersYes) {
    ClientWindows w;
    client::TForm1& main = w.main();
    main.NouvellePartieLocal();
    Jeu* first = main.CurrentGame.get();
    first->RoundsDealt = 99;  // marks the first game
    {
        MessageRecorder no(platform::MsgAnswer::No);
        main.NouvellePartieLocal();
        ASSERT_EQ(no.texts.size(), 1u);
        EXPECT_EQ(no.texts[0], "Do you really want to stop the game ?");
    }
    EXPECT_EQ(main.CurrentGame.get(), first);
    EXPECT_EQ(main.CurrentGame->RoundsDealt, 99);
    main.NouvellePartieLocal();  // the fixture answers Yes
    EXPECT_EQ(main.CurrentGame->RoundsDealt, 1);
}

TEST(LocalGame, TheNextRoundButtonDealsAgainAndClearsTheLog) {
    ClientWindows w;
    client::AppSettings().CpuSpeed = 12;
    platform::SetFixedSeed(9);
    client::TForm1& main = w.main();
    main.NouvellePartieLocal();
    ScriptedUser user{main};
    for (int i = 0; i < 2000 && !(main.CurrentGame->RoundOver && !main.Timer1->isActive()); ++i) {
        if (main.CurrentGame->SeatToMove == 1 && main.CurrentGame->Seats[1].Waiting) user.playOnce();
        main.Timer1Timer();
    }
    ASSERT_FALSE(main.Button1->isHidden());
    const int rounds = main.CurrentGame->RoundsDealt;
    QTest::mouseClick(main.Button1, Qt::LeftButton);
    EXPECT_TRUE(main.Button1->isHidden());
    EXPECT_TRUE(main.Timer1->isActive());
    EXPECT_FALSE(main.CurrentGame->RoundOver);
    EXPECT_EQ(main.CurrentGame->RoundsDealt, main.CurrentGame->AllSeatsWon ? 1 : rounds + 1);
    EXPECT_FALSE(logLines().filter("dominoes").isEmpty());
    EXPECT_TRUE(logLines().filter("won the round").isEmpty());
}
