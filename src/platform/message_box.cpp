#include "platform/message_box.h"

#include <cstdio>

namespace platform {
namespace {
BoxPresenter gPresenter;
std::vector<RecordedBox> gRecorded;
int gRecordedAnswer = IDOK;
bool gEcho = true;
}  // namespace

int MessageBox(const std::string& text, const std::string& caption, unsigned style,
               bool ownedByMainWindow) {
    RecordedBox box{caption, text, style, ownedByMainWindow};
    if (gPresenter) return gPresenter(box);
    if (gEcho) std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    gRecorded.push_back(std::move(box));
    return gRecordedAnswer;
}

void SetBoxPresenter(BoxPresenter presenter) { gPresenter = std::move(presenter); }
void SetRecordedBoxAnswer(int answer) { gRecordedAnswer = answer; }
void SetBoxEcho(bool echo) { gEcho = echo; }
const std::vector<RecordedBox>& RecordedBoxes() { return gRecorded; }
void ClearRecordedBoxes() { gRecorded.clear(); }

}  // namespace platform
