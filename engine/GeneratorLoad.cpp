#include "engine/GeneratorLoad.h"

namespace velmora2 {

namespace {

struct FileFault {
    int code;
    WavFault fault;
};

// The faults the reader finds, by the code the load reports; a data chunk cut short and a failed
// read share one.
constexpr FileFault kFileFaults[] = {
    {-1, WavFault::CannotOpen},    {-2, WavFault::NotRiffWave},
    {-3, WavFault::NoFormatChunk}, {-4, WavFault::EmptyFormatChunk},
    {-5, WavFault::BadFormat},     {-6, WavFault::FormatChunkOverrun},
    {-7, WavFault::NoDataChunk},   {-8, WavFault::EmptyDataChunk},
    {-11, WavFault::DataOverrun},  {-11, WavFault::ReadFailed},
};

}  // namespace

int GeneratorLoadCode(WavFault fault) {
    if (fault == WavFault::None) return 0;
    for (const FileFault& known : kFileFaults)
        if (known.fault == fault) return known.code;
    return -11;
}

const char* DescribeGeneratorLoad(int result) {
    switch (result) {
        case -1:
            return "cannot be found or opened for reading";
        case -9:
            return "cannot be given an output buffer by the sound device";
        case -10:
            return "cannot be copied into the sound device's output buffer";
        case -11:
            return "cannot be read to the end of its \"data\" chunk";
        case -15:
            return "was loaded, but the sound device would not start playing it";
        case -16:
            return "cannot be made at this sample rate";
        default:
            break;
    }
    for (const FileFault& known : kFileFaults)
        if (known.code == result) return DescribeWavFault(known.fault);
    return "cannot be played";
}

}  // namespace velmora2
