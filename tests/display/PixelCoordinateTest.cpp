#include <gtest/gtest.h>

#include <limits>

#include "display/PixelCoordinate.h"

namespace velmora2 {
namespace {

TEST(PixelCoordinateTest, ToPixelTruncatesTowardZeroAndSaturates) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        double position;
        int expected;
    } cases[] = {
        {"inside the field", 123.0, 123},
        {"fraction truncates down", 2.7, 2},
        {"negative fraction truncates up", -2.7, -2},
        {"just below one", 0.999, 0},
        {"at the limit", kPixelLimit, kPixelLimit},
        {"past the limit", 40000.5, kPixelLimit},
        {"far past the limit", 1e300, kPixelLimit},
        {"far below the limit", -1e300, -kPixelLimit},
        {"beyond int range", 3e9, kPixelLimit},
        {"infinity", inf, kPixelLimit},
        {"minus infinity", -inf, -kPixelLimit},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ToPixel(c.position), c.expected);
    }
}

}  // namespace
}  // namespace velmora2
