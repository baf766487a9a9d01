// What loading a generator file came to (CDSCapture::SetGeneratorFile): the code the engine
// reports for each fault of the file, and the words that tell the user what is wrong with it.
#pragma once

#include "wav/WavReader.h"

namespace velmora2 {

// 0 for a file without fault; the negative code of the fault otherwise.
int GeneratorLoadCode(WavFault fault);

// For a negative load result: what is wrong, as words that follow the file's name ("is not a
// RIFF/WAVE file").
const char* DescribeGeneratorLoad(int result);

}  // namespace velmora2
