// Reading of player profiles ("players/<name>.vrk"): fixed line positions, keys skipped by
// character count, ten media blocks, four rule blocks and, for computer seats, two
// hand-size thresholds.
#include <cctype>
#include <optional>

#include "game/Joueursc.h"
#include "game/ValidName.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace {

constexpr std::size_t NameLimit = 15;

struct ReadFailure {};

std::string from(const std::string& line, std::size_t skipped) {
    return line.size() > skipped ? line.substr(skipped) : std::string();
}

// A decimal integer with optional leading blanks and sign; anything else fails.
int toInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size()) throw ReadFailure{};
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) throw ReadFailure{};
        value = value * 10 + (text[i] - '0');
        if (value > 0x7fffffffLL) throw ReadFailure{};
    }
    return static_cast<int>(negative ? -value : value);
}

std::string slashes(std::string s) {
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

// One block: a skipped line, entries up to a line that is exactly "}", one more skipped
// line. Entries beyond the limit are skipped; a file that ends inside a block fails.
std::vector<std::string> readBlock(platform::LineReader& in, std::size_t limit) {
    std::vector<std::string> entries;
    in.next();
    for (;;) {
        if (in.atEnd()) throw ReadFailure{};
        std::string line = in.next();
        if (line == "}") break;
        if (entries.size() < limit) entries.push_back(line);
    }
    in.next();
    return entries;
}

enum class Reading { Full, NoThresholds, NetworkSeat };

void readProfile(Joueur& seat, const std::string& path, Reading what) {
    auto lines = platform::ReadLines(path);
    if (!lines) throw ReadFailure{};
    platform::LineReader in(std::move(*lines));
    for (int i = 0; i < 3; ++i) in.next();
    if (what == Reading::NetworkSeat) {
        for (int i = 0; i < 3; ++i) in.next();
    } else {
        seat.Name = validName(from(in.next(), 5)).substr(0, NameLimit);
        seat.Description = from(in.next(), 8);
        seat.ProfileNumber = toInteger(from(in.next(), 6));
    }
    const std::string folder = slashes(from(in.next(), 10));
    seat.Folder = folder;
    for (int i = 0; i < 4; ++i) in.next();
    const std::string picture = slashes(in.next());
    // Profiles come from downloads: a folder or file name that would leave the players
    // folder is not used.
    const bool folderSafe = platform::IsSafeFileName(folder);
    seat.PicturePath = folderSafe && platform::IsSafeFileName(picture)
                           ? "players/" + folder + "/" + picture
                           : std::string();
    for (int i = 0; i < 4; ++i) in.next();
    for (auto& block : seat.Media) {
        block.clear();
        for (const std::string& entry : readBlock(in, Joueur::MaxMediaEntries)) {
            const std::string name = slashes(entry);
            if (folderSafe && platform::IsSafeFileName(name))
                block.push_back("players/" + folder + "/" + name);
        }
    }
    for (int i = 0; i < 3; ++i) in.next();
    for (auto& list : seat.Rules) list = readBlock(in, Joueur::MaxRules);
    if (what == Reading::Full) {
        seat.ThinkThresholds[0] = toInteger(from(in.next(), 14));
        seat.ThinkThresholds[1] = toInteger(from(in.next(), 25));
    }
}

void clearMedia(Joueur& seat) {
    for (auto& block : seat.Media) block.clear();
}

void defaultRules(Joueur& seat) {
    for (auto& list : seat.Rules) list = {"&anything"};
}

Joueur makeSeat(int kind, int seatIndex, bool useRules) {
    Joueur seat;
    seat.Kind = kind;
    seat.SeatIndex = seatIndex;
    seat.UseRules = useRules;
    return seat;
}

} // namespace

Joueur Joueur::CreateComputer(const std::string& profilePath, int seatIndex, bool useRules) {
    Joueur seat = makeSeat(KindComputer, seatIndex, useRules);
    try {
        readProfile(seat, profilePath, Reading::Full);
    } catch (const ReadFailure&) {
        seat.Name = "CPU Standard";
        seat.Description = "None";
        seat.PicturePath.clear();
        clearMedia(seat);
        defaultRules(seat);
    }
    return seat;
}

Joueur Joueur::CreateHuman(const std::string& profilePath, int seatIndex, bool useRules) {
    Joueur seat = makeSeat(KindHuman, seatIndex, useRules);
    try {
        readProfile(seat, profilePath, Reading::NoThresholds);
    } catch (const ReadFailure&) {
        seat.Name = "Human Standard";
        seat.Description = "None";
        seat.PicturePath.clear();
        clearMedia(seat);
    }
    return seat;
}

namespace {
Joueur createNetworkSeat(int kind, const std::string& profilePath, const std::string& name,
                         const std::string& address, int seatIndex, bool useRules) {
    Joueur seat = makeSeat(kind, seatIndex, useRules);
    seat.Name = validName(name);
    seat.SeatAddress = address;
    try {
        readProfile(seat, profilePath, Reading::NetworkSeat);
    } catch (const ReadFailure&) {
        seat.PicturePath.clear();
        clearMedia(seat);
        defaultRules(seat);
    }
    return seat;
}
} // namespace

Joueur Joueur::CreateRemote(const std::string& profilePath, const std::string& name,
                            const std::string& address, int seatIndex, bool useRules) {
    return createNetworkSeat(KindRemote, profilePath, name, address, seatIndex, useRules);
}

Joueur Joueur::CreateNetLocal(const std::string& profilePath, const std::string& name,
                              const std::string& address, int seatIndex, bool useRules) {
    return createNetworkSeat(KindNetLocal, profilePath, name, address, seatIndex, useRules);
}
