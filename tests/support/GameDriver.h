#pragma once
#include <memory>

#include "game/Jeusc.h"

// Drives a game without a window the way the main window's game loop does: turn steps until
// the round ends, the next round, and a fresh game when every seat has won a round before
// anyone reached three. Seat 1 is made a computer seat so no user is needed.
struct GameDriver {
    std::unique_ptr<Jeu> game;
    GameSetup setup;
    int restarts = 0;
    int rounds = 0;
    std::string statisticsFile;

    explicit GameDriver(const GameSetup& s, const Statistics& stats = {},
                        std::string statsFile = "datas.sta")
        : setup(s), statisticsFile(std::move(statsFile)) {
        start(stats);
        game->ResetScores();
        game->Deal();
        game->FirstLead();
    }

    void start(const Statistics& stats) {
        game = std::make_unique<Jeu>(nullptr, setup);
        game->Seats[1] = Joueur::CreateComputer("players/" + setup.ProfileFiles[1], 1, setup.UseRules);
        game->SeatNames[1] = game->Seats[1].Name;
        game->SetStatistics(stats);
        game->StatisticsFile = statisticsFile;
    }

    // Plays to the game's end; false if it did not end within the step limit.
    bool playToEnd(int stepLimit = 100000) {
        for (int step = 0; step < stepLimit; ++step) {
            game->TurnStep();
            if (!game->RoundOver) continue;
            ++rounds;
            if (game->GameOver) return true;
            if (game->AllSeatsWon) {
                ++restarts;
                const Statistics stats = game->Stats;
                start(stats);
                game->NewPack();
                game->ResetScores();
            } else {
                game->NewPack();
            }
            game->Deal();
            game->FirstLead();
        }
        return false;
    }
};
