// The simulated bench: a sound backend with one capture and one output device whose output feeds
// its inputs. The left input is what the output plays (the reference probe); the right input is
// that signal through a model of a device under test. Tests may instead feed any signal directly.
// In the program a real-time clock delivers the blocks; in tests Step() delivers them on demand.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "audio/SoundSystem.h"

namespace velmora2 {

// A first-order low-pass with a little second and third harmonic distortion and a noise floor.
struct DeviceUnderTest {
    double cornerHz = 3000.0;
    double secondHarmonic = 0.004;  // coefficient of y^2 (y in full-scale units)
    double thirdHarmonic = 0.005;   // coefficient of y^3
    double noiseRms = 1.0e-5;       // full-scale units: -100 dBFS, white (audio/sim/BenchNoise)
};

// Initialisation steps that the test variant can make fail.
enum class SimFault {
    None,
    OpenCapture,
    OpenOutput,
    QueryMaxRate,
    CreateCaptureBuffer,
    AttachQueue,
    SetNotification,
    StartCapture,
    CreateOutputBuffer,
    // Not initialisation steps: the generator buffers made later fail to fill or to play.
    FillOutputBuffer,
    PlayOutputBuffer,
};

struct SimBenchOptions {
    bool realTimeClock = false;
    bool hasDevices = true;
    std::vector<int> captureRates{48000, 96000, 192000};
    int maxOutputRate = 192000;
    DeviceUnderTest dut;
    SimFault fault = SimFault::None;
    Status faultCode = kGenericFailure;
    // Called whenever a capture stream is closed; a test may block in it to stand for a device
    // whose close call hangs.
    std::function<void()> onCaptureClose;
};

struct SimWire;

class SimBench final : public SoundSystem {
public:
    static constexpr const char* kDeviceName = "Simulated bench";

    explicit SimBench(SimBenchOptions options = {});
    ~SimBench() override;

    // A signal fed straight to the inputs instead of the output and the model:
    // (frame index since the capture started) -> left, right in ADC counts.
    using InputSignal = std::function<void(int64_t frame, double& left, double& right)>;
    void SetInputSignal(InputSignal signal);
    // Test variant: a bench that stops delivering blocks.
    void SetDelivering(bool delivering);
    // The "device lost" fault: the running capture stops delivering and its stream reports that
    // it has ended, and the devices can be neither used nor opened, as when the board is
    // unplugged or the sound server ends; RestoreDevice plugs it in again.
    void LoseDevice();
    void RestoreDevice();
    // Stepped clock: produces the next blocks of a running capture. Returns how many were
    // produced (0 when no capture runs or delivering is off).
    int Step(int blocks = 1);
    // Frames produced since the current capture started.
    int64_t FramesDelivered() const;

    std::vector<DeviceInfo> CaptureDevices() override;
    std::vector<DeviceInfo> OutputDevices() override;
    bool CanUseCaptureDevice(DeviceId id) override;
    bool CanUseOutputDevice(DeviceId id) override;
    Status OpenCaptureDevice(DeviceId id, std::unique_ptr<CaptureDevice>& out) override;
    Status OpenOutputDevice(DeviceId id, std::unique_ptr<OutputDevice>& out) override;

private:
    void RunClock();

    std::shared_ptr<SimWire> wire_;
    std::thread clock_;
};

}  // namespace velmora2
