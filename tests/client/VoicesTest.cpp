#include <gtest/gtest.h>

#include "client/Voices.h"
#include "game/Jeusc.h"
#include "platform/Random.h"
#include "support/TempFolder.h"

namespace {

struct RecordingPlayer : client::ClipPlayer {
    std::vector<std::string> played;
    void Play(const std::string& f) override { played.push_back(f); }
    void Stop() override {}
};

// Three seats whose media blocks name files that exist: "s<seat>b<block>c<clip>.wav".
class VoicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int s = 0; s < 3; ++s)
            for (int b = 0; b < 10; ++b) setClips(s, b, 1);
        voices.SoundDevicesPresent = true;
        voices.SoundOn = true;
    }
    void setClips(int seat, int block, int n) {
        game.Seats[seat].Media[block].clear();
        for (int k = 0; k < n; ++k) {
            const std::string name = "s" + std::to_string(seat) + "b" + std::to_string(block) +
                                     "c" + std::to_string(k) + ".wav";
            folder.write(name, "RIFF");
            game.Seats[seat].Media[block].push_back(name);
        }
    }
    int total() const { return int(p[0].played.size() + p[1].played.size() + p[2].played.size()); }
    void clear() {
        for (auto& r : p) r.played.clear();
    }

    TempFolder folder;
    Jeu game{nullptr, GameSetup{}};
    RecordingPlayer p[3];
    client::Voices voices{{&p[0], &p[1], &p[2]}};
};

TEST_F(VoicesTest, NothingPlaysWithoutSoundOrDevices) {
    for (auto [devices, on] : {std::pair{false, true}, std::pair{true, false}}) {
        voices.SoundDevicesPresent = devices;
        voices.SoundOn = on;
        game.Winners = {0};
        for (int i = 0; i < 50; ++i) {
            voices.DireDebuterPartie(game);
            voices.DireDomino(game);
            voices.DireBouder(game);
            voices.DireComment(game);
            voices.DireGagnerManche(game);
            voices.DireUnCochon(game);
            voices.DireDeuxCochons(game);
            voices.EmetSon(0, "s0b0c0.wav");
        }
        EXPECT_EQ(total(), 0);
    }
}

TEST_F(VoicesTest, EmetSonNeedsAnExistingFileAndAKnownPlayer) {
    voices.EmetSon(1, "s1b0c0.wav");
    voices.EmetSon(1, "missing.wav");
    voices.EmetSon(1, "");
    voices.EmetSon(3, "s1b0c0.wav");
    voices.EmetSon(-1, "s1b0c0.wav");
    EXPECT_EQ(p[1].played, std::vector<std::string>{"s1b0c0.wav"});
    EXPECT_EQ(total(), 1);
}

TEST_F(VoicesTest, TheSeatThatJustMovedSpeaksOnItsOwnPlayer) {
    for (int toMove = 0; toMove < 3; ++toMove) {
        clear();
        game.SeatToMove = toMove;
        voices.DireDomino(game);
        voices.DireBouder(game);
        const int mover = (toMove + 2) % 3;
        EXPECT_EQ(p[mover].played, (std::vector<std::string>{
                                       "s" + std::to_string(mover) + "b1c0.wav",
                                       "s" + std::to_string(mover) + "b2c0.wav"}));
        EXPECT_EQ(total(), 2);
    }
}

TEST_F(VoicesTest, OneStartClipIsSaidAboutHalfTheTime) {
    setClips(1, 0, 0);
    setClips(2, 0, 0);
    platform::SetFixedSeed(5);
    for (int i = 0; i < 1000; ++i) voices.DireDebuterPartie(game);
    platform::ClearFixedSeed();
    EXPECT_GT(p[0].played.size(), 400u);
    EXPECT_LT(p[0].played.size(), 600u);
    EXPECT_EQ(total(), int(p[0].played.size()));
}

TEST_F(VoicesTest, RoundWonIsSaidByAWinnerOrAReactionByAnotherSeat) {
    game.Winners = {2};
    platform::SetFixedSeed(11);
    for (int i = 0; i < 300; ++i) voices.DireGagnerManche(game);
    platform::ClearFixedSeed();
    for (const auto& f : p[2].played) EXPECT_EQ(f, "s2b5c0.wav");
    for (int s : {0, 1})
        for (const auto& f : p[s].played) EXPECT_EQ(f, "s" + std::to_string(s) + "b6c0.wav");
    EXPECT_FALSE(p[2].played.empty());
    EXPECT_FALSE(p[0].played.empty());
    EXPECT_FALSE(p[1].played.empty());
    // Every seat a winner: the reaction branch finds nobody and stays silent.
    clear();
    game.Winners = {0, 1, 2};
    platform::SetFixedSeed(12);
    for (int i = 0; i < 200; ++i) voices.DireUnCochon(game);
    platform::ClearFixedSeed();
    for (int s = 0; s < 3; ++s)
        for (const auto& f : p[s].played) EXPECT_EQ(f, "s" + std::to_string(s) + "b7c0.wav");
    EXPECT_LT(total(), 200);
}

TEST_F(VoicesTest, CommentsAreRareAndComeFromBlocksThreeAndFour) {
    for (int s = 0; s < 3; ++s) setClips(s, 3, 10);
    platform::SetFixedSeed(3);
    for (int i = 0; i < 20000; ++i) voices.DireComment(game);
    platform::ClearFixedSeed();
    // Expected about 20000 * (3/5 * 10/410 + 2/5 * 1/501) = 309 clips.
    EXPECT_GT(total(), 200);
    EXPECT_LT(total(), 420);
    for (int s = 0; s < 3; ++s)
        for (const auto& f : p[s].played)
            EXPECT_TRUE(f.find("b3c") != std::string::npos || f.find("b4c") != std::string::npos) << f;
}

TEST_F(VoicesTest, TwoPigsAreAnnouncedByTheSeatToMove) {
    game.SeatToMove = 1;
    platform::SetFixedSeed(8);
    for (int i = 0; i < 100; ++i) voices.DireDeuxCochons(game);
    platform::ClearFixedSeed();
    EXPECT_EQ(total(), int(p[1].played.size()));
    EXPECT_GT(p[1].played.size(), 25u);
    EXPECT_LT(p[1].played.size(), 75u);
}

} // namespace
