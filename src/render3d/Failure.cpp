#include "render3d/Failure.h"

#include <cmath>

#include "platform/MessageBox.h"

namespace render3d::detail {

void Fail(const char* what) { throw Failure(what); }

void ReportFailure(const std::string& message) {
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
