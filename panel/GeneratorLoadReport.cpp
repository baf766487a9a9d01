#include "panel/GeneratorLoadReport.h"

#include <cstdio>

#include "engine/GeneratorLoad.h"
#include "panel/PanelMessages.h"
#include "platform/UiText.h"

namespace velmora2 {

std::string UnplayableFileMessage(const std::string& name, int result) {
    return name + " cannot be played: it " + DescribeGeneratorLoad(result) + ".";
}

void ReportGeneratorLoad(DialogServices& services, const std::string& name, int result) {
    if (result > 0) {
        char text[256];
        std::snprintf(text, sizeof text, UiText(msg::kUnsupportedGeneratorRate).c_str(), result);
        services.MessageBox(text, msg::kErrorMessageTitle, MessageIcon::Stop);
    } else if (result < 0) {
        services.MessageBox(UnplayableFileMessage(name, result), msg::kApplicationTitle,
                            MessageIcon::Exclamation);
    }
}

}  // namespace velmora2
