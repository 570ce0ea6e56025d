// Texts the platform itself shows: the buttons of message boxes.
#pragma once

namespace platform {

constexpr const char* kButtonOk = "OK";
constexpr const char* kButtonCancel = "Cancel";
constexpr const char* kButtonYes = "Yes";
constexpr const char* kButtonNo = "No";

}  // namespace platform
