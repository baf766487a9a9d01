// Tells the user what became of loading a generator file that is there: a rate the output device
// cannot play, or a file that cannot be played at all. A file that loaded is not mentioned.
#pragma once

#include <string>

#include "dialogs/DialogView.h"

namespace velmora2 {

// `result` as CDSCapture::SetGeneratorFile returns it.
void ReportGeneratorLoad(DialogServices& services, const std::string& name, int result);

// The message of a file that cannot be played: its name and what is wrong with it.
std::string UnplayableFileMessage(const std::string& name, int result);

}  // namespace velmora2
