#include "game/Statistics.h"

#include <charconv>

#include "platform/TextFile.h"

namespace {
bool parseCounter(const std::string& line, int& out) {
    const char* first = line.data();
    const char* last = line.data() + line.size();
    auto [ptr, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && ptr == last;
}
} // namespace

std::optional<Statistics> TryReadStatisticsFile(const std::string& path) {
    auto lines = platform::ReadLines(path);
    if (!lines || lines->size() < 4) return std::nullopt;
    Statistics read;
    if (!parseCounter((*lines)[0], read.Played) || !parseCounter((*lines)[1], read.PigsGiven) ||
        !parseCounter((*lines)[2], read.Won) || !parseCounter((*lines)[3], read.Lost))
        return std::nullopt;
    return read;
}

Statistics ReadStatisticsFile(const std::string& path) {
    return TryReadStatisticsFile(path).value_or(Statistics{});
}

bool WriteStatisticsFile(const std::string& path, const Statistics& s) {
    return platform::WriteLinesAtomic(path, {std::to_string(s.Played), std::to_string(s.PigsGiven),
                                             std::to_string(s.Won), std::to_string(s.Lost)});
}
