#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

// How the renderer's operations fail. An operation that cannot go on throws Failure (or
// lets any other exception through); each public operation catches everything inside
// itself and tells the user with one message box, as Guarded does.
namespace render3d::detail {

struct Failure : std::runtime_error {
    explicit Failure(const char* what) : std::runtime_error(what) {}
};

[[noreturn]] void Fail(const char* what);

// Shows the failure message of an operation, captioned with the site's name.
void ReportFailure(const std::string& message);

// Runs body; on any exception shows message. True when the body finished.
template <class F> bool Guarded(const char* message, F&& body) {
    try {
        body();
        return true;
    } catch (...) {
        ReportFailure(message);
        return false;
    }
}

// Rounds toward zero; fails on a value that is not finite or leaves the 32-bit range.
std::int32_t TruncToInt(double value);
// Rounds halves to the even neighbour; fails like TruncToInt.
std::int32_t RoundToInt(double value);
// Rounds halves to the even neighbour into a 64-bit integer; a value that is not finite or
// lies beyond about 9e18 gives 0, so callers that keep only some bits never see undefined
// behaviour.
std::int64_t RoundToInt64(double value);

// Screen positions are rounded with halves to even and then kept within +-2^30, so the
// arithmetic of the fillers never overflows, however far off-screen a vertex projects.
// A position that is not a number fails.
std::int32_t ScreenToInt(double value);

} // namespace render3d::detail
