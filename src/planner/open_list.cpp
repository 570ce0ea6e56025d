// The open list's heap operations.
#include "planner/open_list.h"

#include "planner/limits.h"

void OpenList::IndexCells(int32_t rows, int32_t cols) {
    top_ = 0;
    slots_.assign(static_cast<size_t>(rows) * cols, 0);
}

void OpenList::Clear() {
    for (int i = 1; i <= top_; ++i) slots_[entries_[i].cell] = 0;
    top_ = 0;
}

bool OpenList::Push(const OpenEntry& entry) {
    if (entries_.empty()) entries_.resize(planner_limits::OPEN_LIST_ENTRIES);
    if (top_ + 1 >= planner_limits::OPEN_LIST_ENTRIES) return false;
    ++top_;
    SiftUp(top_, entry);
    return true;
}

OpenEntry OpenList::Pop() {
    OpenEntry result = entries_[1];
    slots_[result.cell] = 0;
    OpenEntry last = entries_[top_];
    --top_;
    if (top_ > 0) SiftDown(1, last);
    return result;
}

bool OpenList::ChangeKey(const OpenEntry& entry) {
    const int found = slots_[entry.cell];
    if (found == 0) return Push(entry);
    if (entry.f < entries_[found].f) {
        SiftUp(found, entry);
    } else {
        SiftDown(found, entry);
    }
    return true;
}

// An entry rises above parents whose f is equal to its own.
void OpenList::SiftUp(int i, OpenEntry entry) {
    OpenEntry* entries = entries_.data();
    while (i > 1 && entries[i / 2].f >= entry.f) {
        Place(i, entries[i / 2]);
        i /= 2;
    }
    Place(i, entry);
}

// The smaller child rises (the left one on a tie) while its f is below the entry's.
void OpenList::SiftDown(int i, OpenEntry entry) {
    OpenEntry* entries = entries_.data();
    const int top = top_;
    while (2 * i <= top) {
        int child = 2 * i;
        child += child < top && entries[child + 1].f < entries[child].f;
        if (!(entries[child].f < entry.f)) break;
        Place(i, entries[child]);
        i = child;
    }
    Place(i, entry);
}
