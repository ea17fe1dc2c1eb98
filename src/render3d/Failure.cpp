#include "render3d/Failure.h"

#include <cmath>

#include "platform/MessageBox.h"
#include "render3d/FailureReports.h"

namespace render3d {

namespace {
FailureReports* currentReports = nullptr;  // the renderer runs on the GUI thread only
} // namespace

FailureReports::Scope::Scope(FailureReports& reports) : previous_(currentReports) {
    currentReports = &reports;
}

FailureReports::Scope::~Scope() { currentReports = previous_; }

FailureReports* FailureReports::Current() { return currentReports; }

} // namespace render3d

namespace render3d::detail {

void Fail(const char* what) { throw Failure(what); }

void ReportFailure(const std::string& message) {
    // Marked before the box opens: a redraw while the box is up does not open it again.
    if (FailureReports* reports = FailureReports::Current(); reports && !reports->FirstTime(message))
        return;
    platform::ShowMessage(message, platform::SiteCaption, platform::MsgButtons::Ok);
}

std::int32_t TruncToInt(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) Fail("integer conversion");
    return static_cast<std::int32_t>(value);
}

std::int32_t RoundToInt(double value) {
    if (!(value > -2147483648.5 && value < 2147483647.5)) Fail("integer conversion");
    return static_cast<std::int32_t>(std::nearbyint(value));
}

std::int64_t RoundToInt64(double value) {
    if (!(std::fabs(value) < 9.0e18)) return 0;
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int32_t ScreenToInt(double value) {
    constexpr double kLimit = 1073741824.0;  // 2^30
    if (std::isnan(value)) Fail("screen position");
    if (value > kLimit) return static_cast<std::int32_t>(kLimit);
    if (value < -kLimit) return -static_cast<std::int32_t>(kLimit);
    return static_cast<std::int32_t>(std::nearbyint(value));
}

} // namespace render3d::detail
