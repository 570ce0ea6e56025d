#include "base/fault_end.h"

#include <cstdio>

#include "base/messages.h"
#include "base/report_error.h"
#include "platform/files.h"
#include "platform/message_box.h"

void EndGameAfterFault(const std::string& text) {
    if (QuitRequested) return;
    platform::MessageBox(text, ErrorCaption);
    QuitAppAfterFault();
}

void EndGameOutOfMemory() {
    const std::string& file = platform::LastOpenedFile();
    if (file.empty()) {
        EndGameAfterFault(OutOfMemoryText);
        return;
    }
    char text[512];
    std::snprintf(text, sizeof text, OutOfMemoryLoadingText, file.c_str());
    EndGameAfterFault(text);
}
