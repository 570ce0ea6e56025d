// The open list's heap operations.
#include "planner/open_list.h"

#include <limits>

namespace {

// Fills every place after the last entry: never chosen over a real child, never moved up.
constexpr OpenEntry END_MARK{std::numeric_limits<float>::infinity(), 0};
// Entry 0: no entry rises above it.
constexpr OpenEntry ROOT_MARK{-std::numeric_limits<float>::infinity(), 0};
// The block holds every grandchild of an entry that has a child, up to entry
// 4 x (OPEN_LIST_ENTRIES - 1) / 2 + 3.
constexpr int BLOCK_ENTRIES = 2 * planner_limits::OPEN_LIST_ENTRIES + 2;

}  // namespace

void OpenList::IndexCells(std::size_t cells) {
    Clear();
    slots_.assign(cells, 0);
    if (entries_.empty()) {
        entries_.assign(BLOCK_ENTRIES, END_MARK);
        entries_[0] = ROOT_MARK;
    }
}

void OpenList::Clear() {
    for (int i = 1; i <= top_; ++i) {
        slots_[entries_[i].cell] = 0;
        entries_[i] = END_MARK;
    }
    top_ = 0;
}

void OpenList::RemoveTop() {
    slots_[entries_[1].cell] = 0;
    OpenEntry last = entries_[top_];
    entries_[top_] = END_MARK;
    --top_;
    if (top_ > 0) SiftDown(1, last);
}

// The smaller child rises (the left one on a tie) while its f is below the entry's. Two levels
// are taken a step: the child and the grandchild it would lead to are chosen from the two
// children and the four grandchildren together, which do not wait for each other. Places after
// the last entry hold END_MARK and so stop the descent where the entry has no child.
void OpenList::SiftDown(int i, OpenEntry entry) {
    OpenEntry* entries = entries_.data();
    const int top = top_;
    while (2 * i <= top) {
        const OpenEntry* kids = entries + 2 * i;
        const OpenEntry* grandkids = entries + 4 * i;
        const int right = kids[1].f < kids[0].f;
        const int leftPick = grandkids[1].f < grandkids[0].f;
        const int rightPick = 2 + (grandkids[3].f < grandkids[2].f);
        const int child = 2 * i + right;
        const int grandchild = 4 * i + (leftPick ^ ((leftPick ^ rightPick) & -right));
        if (!(entries[child].f < entry.f)) break;
        Place(i, entries[child]);
        i = child;
        if (!(entries[grandchild].f < entry.f)) break;
        Place(i, entries[grandchild]);
        i = grandchild;
    }
    Place(i, entry);
}
