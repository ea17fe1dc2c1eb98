#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/Dominosc.h"

// The lines of the game link between the host and its guests.
//
// A line is a code of one decimal digit, ":", then fields each followed by "&", then CR LF:
//   "2:" seat "&" index "&" side "&"
// Every seat number on the wire is in the host's numbering (the host sits at seat 1). Tiles
// travel as indexes into the mover's hand as it stood before the move, except in a deal,
// which lists each seat's seven tiles as pip pairs.
namespace net {

enum GameLineCode : int {
    MsgStartGame = 0,   // host -> guest: the three seats, then the first deal
    MsgTurn = 1,        // host -> guest: seat to move
    MsgTilePlayed = 2,  // both ways: seat, hand index, side ("d" right, else left)
    MsgPass = 3,        // guest -> host: one empty field; host -> guest: the seat that passed
    MsgHand = 7,        // guest -> host: one empty field (next hand); host -> guest: the deal
    MsgJoin = 8,        // guest -> host: one empty field
    MsgChat = 9,        // both ways: seat of the writer, text
};

// Received lines longer than this are dropped. The host's limit bounds every guest line; a
// host's line is never longer than its start line, which holds with three names and
// addresses of up to 300 characters together per seat, far more than the lobby gives.
constexpr int HostLineLimit = 300;
constexpr int GuestLineLimit = 1024;

// The seven tiles of each seat, seats in the host's numbering, tiles in hand order.
using DealTiles = std::array<std::array<Domino, 7>, 3>;

// The text of the buffer up to its first "&"; that text and the "&" leave the buffer.
// Nothing (and the buffer unchanged) when the buffer holds no "&".
std::optional<std::string> NextField(std::string& rest);

// A decimal field: digits only, at most nine of them. Nothing otherwise.
std::optional<int> FieldNumber(std::string_view field);

// One line as read, its fields checked for form and range: seats 0..2, hand index 0..6,
// pips 0..6 with the 21 tiles of a deal all different. Whether the move fits the game is
// for the reader that applies it.
struct GameLine {
    int Code = -1;
    int Seat = -1;          // MsgTurn, MsgTilePlayed, MsgChat, and MsgPass from the host
    int HandIndex = -1;     // MsgTilePlayed
    int End = LeftEndSide;  // MsgTilePlayed
    std::string Text;       // MsgChat; MsgJoin: the nickname the guest gives, or empty
    // MsgStartGame, host numbering: seat 0, the host, seat 2.
    std::array<std::string, 3> Names, Addresses, Kinds;
    DealTiles Deal{};       // MsgStartGame, and MsgHand from the host
};

enum class LineFrom { Host, Guest };

enum class ReadResult {
    Handled,    // a line of a code this side reads, with every field it needs
    Ignored,    // no ":", a code of other than one digit, or a code this side does not read
    Malformed,  // a field missing its "&", a number that is not one, a value out of range
};

// What a reader did with the lines it was given. Refused lines were well formed but did not
// fit the game as it stands (a move out of turn, an index outside the hand, a tile that does
// not fit, a join in the wrong mode); like ignored and malformed lines they change nothing.
struct LineCounts {
    int Handled = 0;
    int Ignored = 0;
    int Malformed = 0;
    int Refused = 0;
};

// Reads one line (without its line end). The code is the text before the first ":"; the
// fields come after it, so a ":" inside a chat text stays in the text.
ReadResult ParseGameLine(const std::string& line, LineFrom from, GameLine& out);

// The lines of a received text, in order: cut at LF, a CR before the LF dropped. Text after
// the last line end is not a line.
std::vector<std::string> SplitLines(const std::string& text);

// Builders. A line is built without its line end (the send appends CR LF). Text fields lose
// every "&", CR and LF, so a built line always reads back as it was meant.
std::string TextField(const std::string& text);
std::string DealFields(const DealTiles& deal);
std::string StartGameLine(const std::array<std::string, 3>& names,
                          const std::array<std::string, 3>& addresses,
                          const std::array<std::string, 3>& kinds, const DealTiles& deal);
std::string TurnLine(int seat);
std::string TilePlayedLine(int seat, int handIndex, int end);
std::string HostPassLine(int seat);
std::string GuestPassLine();
std::string HandRequestLine();
std::string DealLine(const DealTiles& deal);
// "8:&", or with the guest's lobby nickname in its field, which lets a host tell apart two
// guests that come from one address (a host that does not look at the field reads a join).
std::string JoinLine(const std::string& nickname = {});
// The text is cut so that the line stays within the host's line limit.
std::string ChatLine(int seat, const std::string& text);

} // namespace net
