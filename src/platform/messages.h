// Texts the platform itself shows: the buttons of message boxes.
#pragma once

namespace platform {

constexpr const char* ButtonOk = "OK";
constexpr const char* ButtonCancel = "Cancel";
constexpr const char* ButtonYes = "Yes";
constexpr const char* ButtonNo = "No";

}  // namespace platform
