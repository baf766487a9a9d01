// The names of exported files: what the file dialog offers for each mode, and the extension a
// name typed without one gets.
#include <gtest/gtest.h>

#include "app/ExportNames.h"
#include "records/RuntimeState.h"

namespace velmora2 {
namespace {

TEST(ExportNames, TheOfferNamesWhatThePictureShowsAndWhen) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 9;
    local.tm_hour = 14;
    local.tm_min = 32;
    const struct {
        int32_t mode;
        ExportKind kind;
        const char* name;
    } cases[] = {
        {kModeScope, ExportKind::Picture, "scope-2026-12-09-1432.png"},
        {kModeSpectrum, ExportKind::Data, "spectrum-2026-12-09-1432.csv"},
        {kModeNetworkPlot, ExportKind::Data, "network-2026-12-09-1432.csv"},
        {kModeLissajous, ExportKind::Picture, "lissajous-2026-12-09-1432.png"},
    };
    for (const auto& c : cases) EXPECT_EQ(SuggestedExportName(c.mode, c.kind, local), c.name);
}

TEST(ExportNames, ANameWithoutExtensionGetsTheKindsAndOthersStayAsTyped) {
    const struct {
        const char* typed;
        ExportKind kind;
        const char* saved;
    } cases[] = {
        {"/tmp/trace", ExportKind::Picture, "/tmp/trace.png"},
        {"/tmp/trace", ExportKind::Data, "/tmp/trace.csv"},
        {"/tmp/trace.png", ExportKind::Picture, "/tmp/trace.png"},
        {"/tmp/trace.PNG", ExportKind::Picture, "/tmp/trace.PNG"},
        {"/tmp/v1.2/trace", ExportKind::Data, "/tmp/v1.2/trace.csv"},
        {"/tmp/trace.txt", ExportKind::Data, "/tmp/trace.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithExportExtension(c.typed, c.kind), std::filesystem::path(c.saved)) << c.typed;
}

}  // namespace
}  // namespace velmora2
