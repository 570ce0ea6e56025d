#pragma once
// The message boxes recorded by the headless platform, as texts for comparisons.
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace support {

// Each box's text.
inline std::vector<std::string> BoxTexts() {
    std::vector<std::string> out;
    for (const auto& box : platform::RecordedBoxes()) out.push_back(box.text);
    return out;
}

// Each box as "text | caption".
inline std::vector<std::string> BoxLines() {
    std::vector<std::string> out;
    for (const auto& box : platform::RecordedBoxes()) out.push_back(box.text + " | " + box.caption);
    return out;
}

}  // namespace support
