#include "base/report_error.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/graphics_objects.h"
#include "base/handlers.h"
#include "base/limits.h"
#include "base/messages.h"
#include "platform/direct_draw.h"
#include "platform/message_box.h"
#include "platform/window.h"

int RenderingStopped = 0;
bool QuitRequested = false;
bool EndedByFault = false;

void ResetErrorState() {
    RenderingStopped = 0;
    QuitRequested = false;
    EndedByFault = false;
}

void ReportError(const char* format, ...) {
    // Prefix, message and line end share one bounded buffer; a longer message is cut so that
    // the line end still fits.
    char text[ReportBufferSize];
    constexpr size_t lineEnd = 2;
    int used = std::snprintf(text, sizeof text, "%s", ReportPrefix);
    va_list args;
    va_start(args, format);
    std::vsnprintf(text + used, sizeof text - used - lineEnd, format, args);
    va_end(args);
    std::strcat(text, "\r\n");

    RenderingStopped = 1;
    if (FullScreen && DDrawObject) {
        DDrawObject->SetDisplayMode(ReportModeWidth, ReportModeHeight, ReportModeBpp);
    }
    constexpr uint32_t keep = platform::SWP_NOMOVE | platform::SWP_NOSIZE;
    platform::SetWindowPos(MainWindow, platform::HWND_NOTOPMOST, 0, 0, 0, 0, keep);
    platform::MessageBox(text, ReportCaption, platform::MB_OK);
    if (FullScreen && DDrawObject) {
        DDrawObject->SetDisplayMode(static_cast<uint32_t>(DisplayWidth),
                                    static_cast<uint32_t>(DisplayHeight),
                                    static_cast<uint32_t>(DisplayBpp));
    }
    platform::SetWindowPos(MainWindow, platform::HWND_TOPMOST, 0, 0, 0, 0, keep);
}

int QuitApp() {
    QuitRequested = true;
    // A script run that asked stops after the statement that asked.
    if (Handlers.stopScriptRun) Handlers.stopScriptRun();
    platform::DestroyWindow(MainWindow);
    return 0;
}

int QuitAppAfterFault() {
    // The box of the fault that ends the game is seen, even where its file has shown its dozen;
    // a fault without a box of its own shows none.
    if (!QuitRequested) platform::ShowBoxLeftOut();
    EndedByFault = true;
    return QuitApp();
}

int ExitStatus() { return EndedByFault ? FaultExitStatus : 0; }
