// Both readers under many thousands of random and mutated lines (fixed seeds): no crash, no
// read outside a hand (the sanitizer build watches), and the game always stays a game.
#include <gtest/gtest.h>

#include <random>

#include "NetSupport.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "support/TempFolder.h"

using namespace net;

namespace {

// What any game must hold, whatever was read.
void ExpectSound(const JeuNet& g) {
    std::array<bool, 49> seen{};
    int tiles = 0;
    const auto take = [&](const Domino& d) {
        ASSERT_TRUE(d.Value1 >= 0 && d.Value1 <= 6 && d.Value2 >= 0 && d.Value2 <= 6);
        const int key = std::min(d.Value1, d.Value2) * 7 + std::max(d.Value1, d.Value2);
        ASSERT_FALSE(seen[key]) << "a tile is twice on the table";
        seen[key] = true;
        ++tiles;
    };
    for (const Joueur& s : g.Seats) {
        ASSERT_GE(s.HandCount, 0);
        ASSERT_LE(s.HandCount, 7);
        ASSERT_LE(s.HandCount, static_cast<int>(s.Hand.size()));
        for (int i = 0; i < s.HandCount; ++i) take(s.Hand[i]);
    }
    for (const DominoJoue& m : g.Played) take(m.Tile);
    ASSERT_LE(tiles, 21);
    ASSERT_TRUE(g.SeatToMove >= 0 && g.SeatToMove <= 2);
    ASSERT_TRUE(g.LeftEnd >= -1 && g.LeftEnd <= 6);
    ASSERT_TRUE(g.RightEnd >= -1 && g.RightEnd <= 6);
    for (int w : g.RoundWins) ASSERT_TRUE(w >= 0 && w <= 3);
}

class LineMaker {
public:
    explicit LineMaker(unsigned seed) : rng_(seed) {}
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    DealTiles randomDeal() {
        Paquet pack;
        std::shuffle(pack.Tiles.begin(), pack.Tiles.end(), rng_);
        DealTiles d{};
        int next = 0;
        for (auto& hand : d)
            for (Domino& t : hand) t = pack.Tiles[next++];
        return d;
    }

    // A line that a real peer could send now, given the game as this side holds it.
    std::string plausible(const JeuNet* g, bool fromHost, const std::string& lobbyAddress) {
        const int kind = pick(10);
        if (fromHost && (kind == 0 || !g)) {
            const bool guestFirst = pick(2) == 0;
            const std::array<std::string, 3> addresses{guestFirst ? lobbyAddress : "10.9.9.9", "10.0.0.1",
                                                       guestFirst ? "10.9.9.9" : lobbyAddress};
            const std::array<std::string, 3> kinds{pick(3) == 0 ? "3" : "1", "0", pick(3) == 0 ? "3" : "1"};
            return StartGameLine({"A", "H", "B"}, addresses, kinds, randomDeal());
        }
        if (!fromHost && (kind == 0 || !g)) return JoinLine();
        if (kind == 1) return fromHost ? DealLine(randomDeal()) : HandRequestLine();
        if (kind == 2) return ChatLine(pick(3), "text: " + std::to_string(pick(100)));
        if (kind == 3) return fromHost ? TurnLine(pick(3)) : GuestPassLine();
        if (kind == 4) return fromHost ? HostPassLine(g ? g->ToHost(g->SeatToMove) : 0) : GuestPassLine();
        // A move of the seat to move, legal or not.
        const int seat = g->SeatToMove;
        const Joueur& s = g->Seats[seat];
        int index = s.HandCount > 0 ? pick(s.HandCount) : 0;
        int end = pick(2);
        for (int i = 0; i < s.HandCount; ++i)
            if (g->IsEmptyTable() || s.Hand[i].Fits(g->RightEnd) || s.Hand[i].Fits(g->LeftEnd)) {
                index = i;
                end = g->IsEmptyTable() || s.Hand[i].Fits(g->RightEnd) ? RightEndSide : LeftEndSide;
                if (pick(3) != 0) break;
            }
        return TilePlayedLine(g->ToHost(seat), index, end);
    }

    std::string mutate(std::string line) {
        static const std::string alphabet("0123456789:&dgD-+ \b\r\n\xff\0", 23);
        const int edits = 1 + pick(4);
        for (int e = 0; e < edits; ++e) {
            const int what = pick(8);
            const std::size_t at = line.empty() ? 0 : static_cast<std::size_t>(pick(static_cast<int>(line.size())));
            switch (what) {
            case 0: if (!line.empty()) line.erase(at, 1); break;
            case 1: line.insert(at, 1, alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))]); break;
            case 2: if (!line.empty()) line[at] = static_cast<char>(pick(256)); break;
            case 3: line = line.substr(0, at); break;
            case 4: line.insert(at, std::to_string(std::uniform_int_distribution<long long>(-99999999999LL, 99999999999LL)(rng_))); break;
            case 5: line += line.substr(at); break;
            case 6: line.insert(at, std::string(static_cast<std::size_t>(pick(400)), 'x')); break;
            default: {
                std::string junk(static_cast<std::size_t>(pick(40)), '\0');
                for (char& c : junk) c = static_cast<char>(pick(256));
                line.insert(at, junk);
            }
            }
        }
        return line;
    }

    std::string lineEnd() {
        switch (pick(4)) {
        case 0: return "\n";
        case 1: return "\r\r\n";
        default: return "\r\n";
        }
    }

private:
    std::mt19937 rng_;
};

class ReaderFuzz : public ::testing::TestWithParam<unsigned> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        platform::SetProgramFolderForTests(dir.path());
        platform::SetFixedSeed(GetParam());
    }
    void TearDown() override { platform::ClearFixedSeed(); }
    TempFolder dir;
};

TEST_P(ReaderFuzz, GuestReaderTakesAnyTextFromTheHost) {
    LineMaker maker(GetParam());
    HeadlessGameWindow window;
    GameLinkGuest guest(window);
    guest.LobbyAddress = "10.0.0.5";
    guest.StatisticsFile = "fuzz.sta";
    SideDriver me{window, &guest};
    for (int n = 0; n < 15000; ++n) {
        std::string text;
        const int lines = 1 + maker.pick(3);
        for (int i = 0; i < lines; ++i) {
            std::string line = maker.plausible(window.Game.get(), true, guest.LobbyAddress);
            if (maker.pick(3) == 0) line = maker.mutate(line);
            text += line + maker.lineEnd();
        }
        if (maker.pick(20) == 0) text = text.substr(0, static_cast<std::size_t>(maker.pick(static_cast<int>(text.size()) + 1)));
        guest.ReadText(text);
        if (maker.pick(4) == 0) me.tick();
        if (window.Game) {
            ExpectSound(*window.Game);
            if (HasFatalFailure()) FAIL() << "after: " << text;
        }
    }
    const LineCounts& c = guest.Counts();
    EXPECT_GT(c.Handled, 1000);
    EXPECT_GT(c.Malformed + c.Ignored, 1000);
    EXPECT_GT(c.Refused, 100);
}

TEST_P(ReaderFuzz, HostReaderTakesAnyTextFromAGuest) {
    LineMaker maker(GetParam() + 1000);
    HeadlessGameWindow window;
    GameLinkHost host(window);
    host.Opponents = {LobbySlot{"Net CPU", 3, ""}, LobbySlot{"Ann", 1, "127.0.0.1"}};
    host.OwnName = "Host";
    host.StatisticsFile = "fuzz.sta";
    ASSERT_TRUE(host.Listen(0, "127.0.0.1"));
    RawGuest raw;
    ASSERT_TRUE(raw.connectTo(host.Port()));
    ASSERT_TRUE(WaitFor([&] { return host.ConnectionCount() == 1; }));
    TClientConnection& from = *host.Connection(0);
    SideDriver driver{window};
    for (int n = 0; n < 15000; ++n) {
        std::string text;
        const int lines = 1 + maker.pick(3);
        for (int i = 0; i < lines; ++i) {
            std::string line = maker.plausible(window.Game.get(), false, "");
            if (maker.pick(3) == 0) line = maker.mutate(line);
            text += line + maker.lineEnd();
        }
        host.ReadText(from, text);
        if (maker.pick(3) == 0) driver.tick();
        if (n % 200 == 0) {
            Pump(0);
            raw.lines();  // keep the guest's side of the socket drained
        }
        if (window.Game) {
            ExpectSound(*window.Game);
            if (HasFatalFailure()) FAIL() << "after: " << text;
        }
    }
    const LineCounts& c = host.Counts();
    EXPECT_GT(c.Handled, 1000);
    EXPECT_GT(c.Malformed + c.Ignored, 1000);
    EXPECT_GT(c.Refused, 100);
    EXPECT_EQ(host.ConnectionCount(), 1) << "the reader never closes the link";
}

INSTANTIATE_TEST_SUITE_P(Seeds, ReaderFuzz, ::testing::Values(1u, 2u, 3u));

} // namespace
