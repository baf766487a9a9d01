#include "platform/StatusCode.h"

#include <cstdio>

namespace velmora2 {

std::string StatusHex(Status s) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(s));
    return text;
}

}  // namespace velmora2
