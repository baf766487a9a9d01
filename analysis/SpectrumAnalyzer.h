// The spectrum path of one engine for one record length: window and transform tables plus the
// left and right ChannelSpectrum, resized as a whole, and the per-record analysis that turns the
// two captured records into averaged spectra and measurements. Worker thread only.
#pragma once

#include <string>
#include <vector>

#include "analysis/ChannelSpectrum.h"
#include "analysis/Fft.h"
#include "analysis/SideThread.h"
#include "analysis/Window.h"

namespace velmora2 {

class SpectrumAnalyzer {
public:
    // Allocates for n; throws std::bad_alloc like any allocation.
    explicit SpectrumAnalyzer(int n);

    // Releases everything sized for the old length and allocates zero-filled buffers for n. When
    // any allocation fails nothing changes and false is returned.
    bool Resize(int n);

    int Size() const { return left_.size; }
    ChannelSpectrum& Left() { return left_; }
    ChannelSpectrum& Right() { return right_; }
    const ChannelSpectrum& Left() const { return left_; }
    const ChannelSpectrum& Right() const { return right_; }

    // Makes the named window's coefficients ahead of the first record that needs them.
    void PrepareWindow(const std::string& windowName) { window_.Prepare(windowName); }

    // One complete record in Left().capture and Right().capture: windows, transforms and measures
    // both and averages them when averaging is on (the counter as in Averaging.h). Given a side
    // thread, a record of kSideThreadMinimumSize or more has its right channel analysed there
    // while the left one is analysed here; the results are the same either way.
    void AnalyseRecord(const std::string& windowName, int sampleRate, bool averagingOn,
                       int maxAverage, int& averagingCounter, SideThread* side = nullptr);

    // The same analysis in up to `shares` parts (as many as its steps allow), for a caller with a
    // deadline for each: BeginRecord takes the settings, advances the averaging counter and does
    // the first part, the only one that reads the captures; AnalyseNextShare does each further
    // one. Both return true once the record is analysed. In between, the captures may take the
    // next record, and Left() and Right() keep the spectra and measurements of the record before.
    // The results are bit for bit those of AnalyseRecord. A resize drops a record in analysis.
    bool BeginRecord(const std::string& windowName, int sampleRate, bool averagingOn,
                     int maxAverage, int& averagingCounter, int shares, SideThread* side = nullptr);
    bool AnalyseNextShare(SideThread* side = nullptr);
    bool RecordInAnalysis() const { return analysis_.sharesDone < analysis_.shares; }

    // Below this the hand-over would cost about as much as it saves.
    static constexpr int kSideThreadMinimumSize = 8192;

    // Both captures' positions offset ... offset + count - 1 have just been stored; a record fills
    // slice after slice from position 0, and whatever changes the captures must say so here. The
    // transform's first passes over inputs that are all stored are done now, in the blocks before
    // the one that completes the record, unless that block brings them; AnalyseRecord does the
    // rest, with the same results.
    void SliceStored(int offset, int count, const std::string& windowName);

private:
    // A channel's analysis runs in ChannelSteps() steps: the load of the transform's input pieces
    // not loaded ahead, the transform's finishing steps, and with the last of them the
    // measurements and the averaging.
    int ChannelSteps() const { return 1 + fft_.FinishSteps(); }
    void ChannelStep(ChannelSpectrum& channel, int step) const;
    void ForgetLoads();

    WindowFunction window_;
    FftPlan fft_;
    ChannelSpectrum left_;
    ChannelSpectrum right_;
    // Per piece of the transform's input groups: loaded into both channels' re and im, with
    // loadedWindow_, since its inputs last changed.
    std::vector<bool> loaded_;
    WindowKind loadedWindow_ = WindowKind::Rect;

    // The record in analysis: what BeginRecord took, and how far it has come.
    struct RecordAnalysis {
        const double* window = nullptr;  // read by the first share only
        int sampleRate = 0;
        bool averagingOn = false;
        int averagingCounter = 0;  // the counter the record is averaged at
        bool keepHarmonicCount = false;
        int shares = 0;
        int sharesDone = 0;
    };
    RecordAnalysis analysis_;
};

}  // namespace velmora2
