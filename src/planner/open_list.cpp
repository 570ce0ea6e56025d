// The open list's heap operations.
#include "planner/open_list.h"

#include "planner/limits.h"

void OpenList::IndexCells(int32_t rows, int32_t cols) {
    top_ = 0;
    cols_ = cols;
    slots_.assign(static_cast<size_t>(rows) * cols, 0);
}

void OpenList::Clear() {
    for (int i = 1; i <= top_; ++i) SlotOf(entries_[i]) = 0;
    top_ = 0;
}

bool OpenList::Push(const GridNode& node) {
    if (entries_.empty()) entries_.resize(planner_limits::OPEN_LIST_ENTRIES);
    if (top_ + 1 >= planner_limits::OPEN_LIST_ENTRIES) return false;
    ++top_;
    SiftUp(top_, node);
    return true;
}

GridNode OpenList::Pop() {
    GridNode result = entries_[1];
    SlotOf(result) = 0;
    GridNode last = entries_[top_];
    --top_;
    if (top_ > 0) SiftDown(1, last);
    return result;
}

bool OpenList::ChangeKey(const GridNode& node) {
    const int found = SlotOf(node);
    if (found == 0) return Push(node);
    if (node.key > entries_[found].key) {
        SiftUp(found, node);
    } else {
        SiftDown(found, node);
    }
    return true;
}

// An entry rises above parents whose key is equal to its own.
void OpenList::SiftUp(int i, GridNode node) {
    while (i > 1 && entries_[i / 2].key <= node.key) {
        Place(i, entries_[i / 2]);
        i /= 2;
    }
    Place(i, node);
}

void OpenList::SiftDown(int i, GridNode node) {
    GridNode* entries = entries_.data();
    const int top = top_;
    while (2 * i <= top) {
        int child = 2 * i;
        if (child + 1 <= top && entries[child + 1].key > entries[child].key) ++child;
        if (!(entries[child].key > node.key)) break;
        Place(i, entries[child]);
        i = child;
    }
    Place(i, node);
}
