#include "base/fault_end.h"

#include <cstdio>

#include "base/limits.h"
#include "base/messages.h"
#include "base/report_error.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/window.h"

void EndGameAfterFault(const std::string& text) {
    if (QuitRequested) return;
    platform::MessageBox(text, ErrorCaption);
    QuitApp();
    // The window's destruction posted the ordinary quit code; this one replaces it.
    platform::PostQuitMessage(FaultExitStatus);
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
