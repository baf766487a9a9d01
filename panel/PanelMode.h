// The main window's mode (oscilloscope "WAVE", FFT analyzer, network analysis, Lissajous "LIS")
// and the spectrum's frequency axis, which decide what each front-panel control means.
#pragma once

namespace velmora2 {

enum class PanelMode { Wave, Spectrum, Network, Lissajous };

enum class FrequencyAxis { Linear, Log };

}  // namespace velmora2
