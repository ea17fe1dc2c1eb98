#include "net/GameLine.h"

#include <algorithm>

namespace net {

std::optional<std::string> NextField(std::string& rest) {
    const std::size_t amp = rest.find('&');
    if (amp == std::string::npos) return std::nullopt;
    std::string field = rest.substr(0, amp);
    rest.erase(0, amp + 1);
    return field;
}

std::optional<int> FieldNumber(std::string_view field) {
    if (field.empty() || field.size() > 9) return std::nullopt;
    int value = 0;
    for (char ch : field) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return value;
}

namespace {

// Takes the fields of one line in order; the first failure sticks.
class FieldReader {
public:
    explicit FieldReader(std::string rest) : rest_(std::move(rest)) {}
    bool ok() const { return ok_; }

    std::string Text() {
        if (!ok_) return {};
        auto f = NextField(rest_);
        if (!f) {
            ok_ = false;
            return {};
        }
        return *f;
    }
    int Number(int lo, int hi) {
        const std::string f = Text();
        if (!ok_) return -1;
        const auto n = FieldNumber(f);
        if (!n || *n < lo || *n > hi) {
            ok_ = false;
            return -1;
        }
        return *n;
    }
    int Seat() { return Number(0, 2); }
    int Side() {
        const std::string f = Text();
        return f == "d" ? RightEndSide : LeftEndSide;
    }
    void Deal(DealTiles& deal) {
        for (auto& hand : deal)
            for (Domino& d : hand) {
                d = Domino{};
                d.Value1 = Number(0, 6);
                d.Value2 = Number(0, 6);
            }
        if (!ok_) return;
        // One set has each tile once.
        std::array<bool, 49> seen{};
        for (const auto& hand : deal)
            for (const Domino& d : hand) {
                const int lo = std::min(d.Value1, d.Value2), hi = std::max(d.Value1, d.Value2);
                if (seen[lo * 7 + hi]) ok_ = false;
                seen[lo * 7 + hi] = true;
            }
    }

private:
    std::string rest_;
    bool ok_ = true;
};

bool readsCode(int code, LineFrom from) {
    switch (code) {
    case MsgTilePlayed:
    case MsgPass:
    case MsgHand:
    case MsgChat:
        return true;
    case MsgStartGame:
    case MsgTurn:
        return from == LineFrom::Host;
    case MsgJoin:
        return from == LineFrom::Guest;
    default:
        return false;
    }
}

} // namespace

ReadResult ParseGameLine(const std::string& line, LineFrom from, GameLine& out) {
    out = GameLine{};
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || colon != 1) return ReadResult::Ignored;
    const char digit = line[0];
    if (digit < '0' || digit > '9') return ReadResult::Ignored;
    const int code = digit - '0';
    if (!readsCode(code, from)) return ReadResult::Ignored;

    FieldReader in(line.substr(colon + 1));
    out.Code = code;
    switch (code) {
    case MsgStartGame:
        for (int s = 0; s < 3; ++s) {
            out.Names[s] = in.Text();
            out.Addresses[s] = in.Text();
            out.Kinds[s] = in.Text();
        }
        in.Deal(out.Deal);
        break;
    case MsgTurn:
        out.Seat = in.Seat();
        break;
    case MsgTilePlayed:
        out.Seat = in.Seat();
        out.HandIndex = in.Number(0, 6);
        out.End = in.Side();
        break;
    case MsgPass:
        if (from == LineFrom::Host) out.Seat = in.Seat();
        else in.Text();
        break;
    case MsgHand:
        if (from == LineFrom::Host) in.Deal(out.Deal);
        else in.Text();
        break;
    case MsgJoin:
        out.Text = in.Text();
        break;
    case MsgChat:
        out.Seat = in.Seat();
        out.Text = in.Text();
        break;
    }
    if (!in.ok()) {
        out = GameLine{};
        return ReadResult::Malformed;
    }
    return ReadResult::Handled;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) break;
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

std::string TextField(const std::string& text) {
    std::string clean;
    clean.reserve(text.size());
    for (char ch : text)
        if (ch != '&' && ch != '\r' && ch != '\n') clean.push_back(ch);
    return clean;
}

std::string DealFields(const DealTiles& deal) {
    std::string fields;
    for (const auto& hand : deal)
        for (const Domino& d : hand)
            fields += std::to_string(d.Value1) + "&" + std::to_string(d.Value2) + "&";
    return fields;
}

std::string StartGameLine(const std::array<std::string, 3>& names,
                          const std::array<std::string, 3>& addresses,
                          const std::array<std::string, 3>& kinds, const DealTiles& deal) {
    std::string line = "0:";
    for (int s = 0; s < 3; ++s)
        line += TextField(names[s]) + "&" + TextField(addresses[s]) + "&" +
                (s == 1 ? std::string("0") : TextField(kinds[s])) + "&";
    return line + DealFields(deal);
}

std::string TurnLine(int seat) { return "1:" + std::to_string(seat) + "&"; }

std::string TilePlayedLine(int seat, int handIndex, int end) {
    return "2:" + std::to_string(seat) + "&" + std::to_string(handIndex) + "&" +
           (end == RightEndSide ? "d&" : "g&");
}

std::string HostPassLine(int seat) { return "3:" + std::to_string(seat) + "&"; }
std::string GuestPassLine() { return "3:&"; }
std::string HandRequestLine() { return "7:&"; }
std::string DealLine(const DealTiles& deal) { return "7:" + DealFields(deal); }
std::string JoinLine(const std::string& nickname) { return "8:" + TextField(nickname) + "&"; }

std::string ChatLine(int seat, const std::string& text) {
    std::string line = "9:" + std::to_string(seat) + "&" + TextField(text);
    if (line.size() > HostLineLimit - 1) line.resize(HostLineLimit - 1);
    return line + "&";
}

} // namespace net
