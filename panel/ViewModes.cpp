#include "panel/ViewModes.h"

#include <algorithm>

#include "dataexport/DataCsv.h"
#include "panel/ControlIds.h"
#include "panel/ModePanel.h"

namespace velmora2 {

namespace {

const ViewMode kViewModes[] = {
    {PanelMode::Wave, "scope", ctl::kModeScope, kModeScope, &ModePanel::OnScope,
     [](const ModeData& shown, const SweepResults&) { return ScopeCsv(shown); }},
    {PanelMode::Spectrum, "spectrum", ctl::kModeSpectrum, kModeSpectrum, &ModePanel::OnSpectrum,
     [](const ModeData& shown, const SweepResults&) { return SpectrumCsv(shown); }},
    {PanelMode::Lissajous, "lissajous", ctl::kModeLissajous, kModeLissajous,
     &ModePanel::OnLissajous,
     [](const ModeData& shown, const SweepResults&) { return LissajousCsv(shown); }},
    {PanelMode::Network, "network", ctl::kModeNetwork, kModeNetworkPlot, &ModePanel::OnNetwork,
     [](const ModeData&, const SweepResults& sweep) { return NetworkCsv(sweep); }},
};

template <typename Matches>
const ViewMode* Find(Matches&& matches) {
    const auto* found = std::find_if(std::begin(kViewModes), std::end(kViewModes), matches);
    return found == std::end(kViewModes) ? nullptr : found;
}

}  // namespace

std::span<const ViewMode> ViewModes() {
    return kViewModes;
}

const ViewMode* ViewModeOfButton(int controlId) {
    return Find([controlId](const ViewMode& mode) { return mode.modeButton == controlId; });
}

const ViewMode* ViewModeOfKeyword(PanelMode keyword) {
    return Find([keyword](const ViewMode& mode) { return mode.keyword == keyword; });
}

const ViewMode* ViewModeOfEngineMode(int32_t engineMode) {
    return Find([engineMode](const ViewMode& mode) { return mode.engineMode == engineMode; });
}

}  // namespace velmora2
