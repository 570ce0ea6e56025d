// Modal message boxes. With a screen they are shown and wait for a button (or a presenter set
// by the program shows them); headless they are recorded (caption, text, style), echoed on
// stderr and answered at once.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Box styles and answers, with the customary numeric values.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_SYSTEMMODAL = 0x1000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct RecordedBox {
    std::string caption;
    std::string text;
    unsigned style = 0;
    bool ownedByMainWindow = false;
};

// Shows (or records) a box and returns the button pressed.
int MessageBox(const std::string& text, const std::string& caption, unsigned style = MB_OK,
               bool ownedByMainWindow = false);

// A presenter of the program's own; when none is set, boxes go to the screen or are recorded.
using BoxPresenter = std::function<int(const RecordedBox&)>;
void SetBoxPresenter(BoxPresenter presenter);

// The answer a recorded box gives (IDOK by default; tests may choose another).
void SetRecordedBoxAnswer(int answer);
// Whether recorded boxes are echoed on stderr (on by default).
void SetBoxEcho(bool echo);

const std::vector<RecordedBox>& RecordedBoxes();
void ClearRecordedBoxes();

}  // namespace platform
