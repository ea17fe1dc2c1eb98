// Reading and building the lines of the game link.
#include <gtest/gtest.h>

#include "net/NetSeat.h"
#include "platform/ProgramFolder.h"
#include "support/TempFolder.h"
#include "NetSupport.h"

using namespace net;

namespace {

struct ParseCase {
    std::string name;
    std::string line;
    LineFrom from;
    ReadResult result;
    int code = -1, seat = -1, index = -1, end = LeftEndSide;
    std::string text = {};
};

class ParseLine : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseLine, ReadsCodeAndFields) {
    const ParseCase& c = GetParam();
    GameLine line;
    ASSERT_EQ(ParseGameLine(c.line, c.from, line), c.result);
    if (c.result != ReadResult::Handled) {
        EXPECT_EQ(line.Code, -1);
        return;
    }
    EXPECT_EQ(line.Code, c.code);
    EXPECT_EQ(line.Seat, c.seat);
    EXPECT_EQ(line.HandIndex, c.index);
    EXPECT_EQ(line.End, c.end);
    EXPECT_EQ(line.Text, c.text);
}

const auto G = LineFrom::Guest;
const auto H = LineFrom::Host;
const auto Ok = ReadResult::Handled;
const auto Ign = ReadResult::Ignored;
const auto Bad = ReadResult::Malformed;

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseLine,
    ::testing::Values(
        ParseCase{"join_one_empty_field", "8:&", G, Ok, MsgJoin},
        ParseCase{"join_without_its_amp", "8:", G, Bad},
        ParseCase{"tile_right", "2:0&3&d&", G, Ok, MsgTilePlayed, 0, 3, RightEndSide},
        ParseCase{"tile_left", "2:2&0&g&", H, Ok, MsgTilePlayed, 2, 0, LeftEndSide},
        ParseCase{"upper_D_is_left", "2:0&3&D&", G, Ok, MsgTilePlayed, 0, 3, LeftEndSide},
        ParseCase{"any_other_side_is_left", "2:0&3&&", G, Ok, MsgTilePlayed, 0, 3, LeftEndSide},
        ParseCase{"fields_after_the_last_are_left_alone", "2:0&3&d&junk", G, Ok, MsgTilePlayed, 0,
                  3, RightEndSide},
        ParseCase{"seat_above_2", "2:3&0&d&", G, Bad},
        ParseCase{"negative_seat", "2:-1&0&d&", G, Bad},
        ParseCase{"signed_number", "1:+1&", H, Bad},
        ParseCase{"index_past_a_hand", "2:0&7&d&", G, Bad},
        ParseCase{"index_not_a_number", "2:0&x&d&", G, Bad},
        ParseCase{"huge_number", "2:0&99999999999999999999&d&", G, Bad},
        ParseCase{"side_without_its_amp", "2:0&1&d", G, Bad},
        ParseCase{"empty_seat", "1:&", H, Bad},
        ParseCase{"turn", "1:2&", H, Ok, MsgTurn, 2},
        ParseCase{"turn_is_not_read_by_the_host", "1:2&", G, Ign},
        ParseCase{"start_is_not_read_by_the_host", "0:a&b&c&", G, Ign},
        ParseCase{"join_is_not_read_by_a_guest", "8:&", H, Ign},
        ParseCase{"two_digit_code", "12:0&", H, Ign},
        ParseCase{"unused_code", "4:0&", H, Ign},
        ParseCase{"letter_code", "a:0&", G, Ign},
        ParseCase{"no_code", ":0&", G, Ign},
        ParseCase{"no_colon_banner", "Welcome to TcpSrv", H, Ign},
        ParseCase{"empty_line", "", G, Ign},
        ParseCase{"chat_keeps_colons", "9:1&time: 12:30&", H, Ok, MsgChat, 1, -1, LeftEndSide,
                  "time: 12:30"},
        ParseCase{"chat_empty_text", "9:0&&", G, Ok, MsgChat, 0, -1, LeftEndSide, ""},
        ParseCase{"chat_text_without_amp", "9:0&hello", G, Bad},
        ParseCase{"guest_pass", "3:&", G, Ok, MsgPass},
        ParseCase{"host_pass_names_the_seat", "3:2&", H, Ok, MsgPass, 2},
        ParseCase{"host_pass_without_seat", "3:&", H, Bad},
        ParseCase{"next_hand_request", "7:&", G, Ok, MsgHand},
        ParseCase{"deal_without_tiles", "7:&", H, Bad}),
    [](const auto& info) { return info.param.name; });

TEST(GameLineFields, NextFieldCutsAtEachAmpAndKeepsTheRest) {
    std::string rest = "a:b&&c";
    EXPECT_EQ(NextField(rest), "a:b");
    EXPECT_EQ(rest, "&c");
    EXPECT_EQ(NextField(rest), "");
    EXPECT_EQ(rest, "c");
    EXPECT_EQ(NextField(rest), std::nullopt);
    EXPECT_EQ(rest, "c");
}

TEST(GameLineFields, SplitLinesKeepsOrderAndDropsAnUnfinishedTail) {
    EXPECT_EQ(SplitLines("1:2&\r\n9:1&hi&\r\n"), (std::vector<std::string>{"1:2&", "9:1&hi&"}));
    EXPECT_EQ(SplitLines("a\nb\r\nc"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("\r\n"), (std::vector<std::string>{""}));
}

TEST(GameLineBuild, StartLineHas51FieldsAndReadsBack) {
    const DealTiles deal = DealInBuildOrder();
    const std::string line = StartLine({"Ann", "Host", "Bob"}, {"10.0.0.5", "10.0.0.1", "10.0.0.7"},
                                       {"1", "9", "3"}, deal);
    ASSERT_EQ(line.substr(0, 2), "0:");
    const auto fields = Fields(line);
    ASSERT_EQ(fields.size(), 51u);
    EXPECT_EQ(fields[5], "0");  // the host's own kind, whatever it was given
    GameLine read;
    ASSERT_EQ(ParseGameLine(line, H, read), Ok);
    EXPECT_EQ(read.Names, (std::array<std::string, 3>{"Ann", "Host", "Bob"}));
    EXPECT_EQ(read.Addresses[2], "10.0.0.7");
    EXPECT_EQ(read.Kinds[2], "3");
    for (int s = 0; s < 3; ++s)
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(read.Deal[s][i].Value1, deal[s][i].Value1);
            EXPECT_EQ(read.Deal[s][i].Value2, deal[s][i].Value2);
        }
    EXPECT_LE(StartLine({"fifteen_chars__", "fifteen_chars__", "fifteen_chars__"},
                        {"255.255.255.255", "255.255.255.255", "255.255.255.255"},
                        {"1", "0", "3"})
                  .size(),
              188u);
}

TEST(GameLineBuild, BadDealsAreMalformed) {
    const DealTiles good = DealInBuildOrder();
    DealTiles twice = good;
    twice[2][6] = good[0][0];  // one tile dealt twice
    DealTiles seven = good;
    seven[1][3].Value2 = 7;
    std::string cut = StartLine({"a", "b", "c"}, {"1", "2", "3"}, {"1", "0", "1"}, good);
    cut.erase(cut.rfind('&', cut.size() - 2) + 1);  // the last pip gone
    GameLine read;
    EXPECT_EQ(ParseGameLine(StartLine({"a", "b", "c"}, {"1", "2", "3"}, {"1", "0", "1"}, twice), H, read), Bad);
    EXPECT_EQ(ParseGameLine(StartLine({"a", "b", "c"}, {"1", "2", "3"}, {"1", "0", "1"}, seven), H, read), Bad);
    EXPECT_EQ(ParseGameLine(cut, H, read), Bad);
    EXPECT_EQ(ParseGameLine(DealLine(twice), H, read), Bad);
    EXPECT_EQ(ParseGameLine(DealLine(good), H, read), Ok);
}

TEST(GameLineBuild, TextFieldsCannotBreakTheLine) {
    EXPECT_EQ(ChatLine(2, "a&b\r\n8:&"), "9:2&ab8:&");
    GameLine read;
    ASSERT_EQ(ParseGameLine(ChatLine(0, "see: 2:0&1&d&"), G, read), Ok);
    EXPECT_EQ(read.Text, "see: 2:01d");
    EXPECT_EQ(TilePlayedLine(2, 6, RightEndSide), "2:2&6&d&");
    EXPECT_EQ(TilePlayedLine(0, 0, LeftEndSide), "2:0&0&g&");
    EXPECT_EQ(TurnLine(1), "1:1&");
    EXPECT_EQ(HostPassLine(0), "3:0&");
}

TEST(NetSeatRotation, GuestSitsAtOneAndTurnOrderIsKept) {
    for (int netSeat : {0, 2}) {
        EXPECT_EQ(HostToLocal(netSeat, netSeat), 1);
        for (int h = 0; h < 3; ++h) {
            EXPECT_EQ(LocalToHost(HostToLocal(h, netSeat), netSeat), h);
            EXPECT_EQ(HostToLocal((h + 1) % 3, netSeat), (HostToLocal(h, netSeat) + 1) % 3);
        }
    }
    // The host's own table is not turned.
    for (int h = 0; h < 3; ++h) EXPECT_EQ(HostToLocal(h, 1), h);
}

// The guest's reader over a buffer of several lines.
class GuestReading : public ::testing::Test {
protected:
    struct Window : HeadlessGameWindow {
        std::vector<std::string> events;
        void ShowChat(const std::string& line) override {
            events.push_back("chat " + line + " to move " + std::to_string(Game->SeatToMove));
        }
    };
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        platform::SetProgramFolderForTests(dir.path());
        guest.LobbyAddress = "10.0.0.5";
        guest.ReadText(StartLine({"Ann", "Host", "Bob"}, {"10.0.0.5", "10.0.0.1", "10.0.0.7"},
                                 {"1", "0", "1"}) +
                       "\r\n");
        ASSERT_TRUE(window.Game);
        ASSERT_EQ(window.Game->NetSeat, 0);
    }
    TempFolder dir;
    Window window;
    GameLinkGuest guest{window};
};

TEST_F(GuestReading, TurnThenChatInOneBufferAreReadInOrder) {
    guest.ReadText("1:1&\r\n9:1&hello: all&\r\n");
    // Host seat 1 is local seat 2 for a guest at host seat 0; the chat saw the turn applied.
    ASSERT_EQ(window.events.size(), 1u);
    EXPECT_EQ(window.events[0], "chat Host: hello: all to move 2");
}

TEST_F(GuestReading, TwoDigitCodeIsSkippedAndTheNextLineRead) {
    const LineCounts before = guest.Counts();
    guest.ReadText("12:0&\r\n1:2&\r\n");
    EXPECT_EQ(guest.Counts().Ignored, before.Ignored + 1);
    EXPECT_EQ(window.Game->SeatToMove, 0);  // host seat 2 is local seat 0
}

} // namespace
