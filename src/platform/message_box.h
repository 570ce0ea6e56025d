// Modal message boxes. With a screen they are shown and wait for a button (or a presenter set
// by the program shows them); headless they are recorded (caption, text, style), echoed on
// stderr and answered at once.
//
// A box names the file it concerns: while a file is read, or a script's statements run, a
// BoxPlace stands for it, and a box shown meanwhile gets the file (and the line) on a second
// line under its text, unless the text names the file itself. Boxes count against the file they
// name: from the start of its reading, each text is shown once for each line of the file (or once
// for the file, where no line is known) and at most MaxBoxesPerFile boxes in all; the rest are
// left out, with the answer a box would default to.
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
    // The file and line the box names under its text ("room1.cub, line 12", or the file alone);
    // empty when none.
    std::string place;
};

// Shows (or records) a box and returns the button pressed.
int MessageBox(const std::string& text, const std::string& caption, unsigned style = MB_OK,
               bool ownedByMainWindow = false);

// What a box shows: its text, and its place on a line of its own (after a text that ends with
// "\r\n", the place ends with one too).
std::string ShownText(const RecordedBox& box);

// Shows the last box asked for after all when it was left out, and returns its answer, while the
// place it was counted against stands at the line it was asked at; 0 when it was shown, or once a
// place has begun, moved on to a line or ended since. The end of the game after a fault calls it,
// so that the box of the fault that ends the game is always seen, and no earlier fault's.
int ShowBoxLeftOut();

// A file being read, or a script file whose statements run, while the object lives; places nest.
// A box names the innermost place whose file its text does not name; a place with an empty name
// stands for no file. Reading a file starts its count of boxes anew; running a script goes on with
// the count its reading began.
class BoxPlace {
public:
    enum Count { Anew, GoOn };
    BoxPlace(const std::string& file, Count count, int line = 0);
    ~BoxPlace();
    BoxPlace(const BoxPlace&) = delete;
    BoxPlace& operator=(const BoxPlace&) = delete;

    // The line a box names now; 0 names the file alone.
    void SetLine(int line);

    const std::string& File() const { return file_; }
    int Line() const { return line_; }

private:
    std::string file_;
    int line_;
};

// A presenter of the program's own; when none is set, boxes go to the screen or are recorded.
using BoxPresenter = std::function<int(const RecordedBox&)>;
void SetBoxPresenter(BoxPresenter presenter);

// The answer a recorded box gives (IDOK by default; tests may choose another).
void SetRecordedBoxAnswer(int answer);
// Whether recorded boxes are echoed on stderr (on by default).
void SetBoxEcho(bool echo);

const std::vector<RecordedBox>& RecordedBoxes();
// Forgets the boxes recorded, and the boxes counted against every file.
void ClearRecordedBoxes();

}  // namespace platform
