#include "shell/report_error.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/message_box.h"
#include "shell/limits.h"
#include "shell/messages.h"

int RenderingStopped = 0;
bool QuitRequested = false;

void ReportError(const char* format, ...) {
    char message[ReportBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    std::string text = std::string(ReportPrefix) + message + "\r\n";
    if (text.size() > ReportBufferSize - 1) text.resize(ReportBufferSize - 1);
    RenderingStopped = 1;
    platform::MessageBox(text, ReportCaption, platform::MB_OK);
}

void QuitApp() { QuitRequested = true; }
