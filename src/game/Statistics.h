#pragma once
#include <optional>
#include <string>

// The four counters of the local player's games, in file order.
struct Statistics {
    int Played = 0;     // games played
    int PigsGiven = 0;  // opponents left without a round win by the local player's wins
    int Won = 0;        // games won
    int Lost = 0;       // games lost (the local player was a pig)

    bool operator==(const Statistics&) const = default;
};

// Reads the four lines of a statistics file; a missing or unreadable file, or a line that
// is not a number, gives zeros for every counter.
Statistics ReadStatisticsFile(const std::string& path);
// The same, but nothing when the file is missing or not four numbers.
std::optional<Statistics> TryReadStatisticsFile(const std::string& path);
// Rewrites the file (four decimal lines, CR LF) through a temporary file. False on failure.
bool WriteStatisticsFile(const std::string& path, const Statistics& stats);
