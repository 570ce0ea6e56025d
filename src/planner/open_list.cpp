// The open list's heap operations.
#include "planner/open_list.h"

#include "planner/limits.h"

bool OpenList::Push(const GridNode& node) {
    if (entries_.empty()) entries_.resize(planner_limits::OPEN_LIST_ENTRIES);
    if (top_ + 1 >= planner_limits::OPEN_LIST_ENTRIES) return false;
    ++top_;
    SiftUp(top_, node);
    return true;
}

GridNode OpenList::Pop() {
    GridNode result = entries_[1];
    GridNode last = entries_[top_];
    --top_;
    if (top_ > 0) SiftDown(1, last);
    return result;
}

bool OpenList::ChangeKey(const GridNode& node) {
    int found = 0;
    for (int i = 1; i <= top_; ++i) {
        if (SameCell(entries_[i], node)) found = i;
    }
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
        entries_[i] = entries_[i / 2];
        i /= 2;
    }
    entries_[i] = node;
}

void OpenList::SiftDown(int i, GridNode node) {
    while (2 * i <= top_) {
        int child = 2 * i;
        if (child + 1 <= top_ && entries_[child + 1].key > entries_[child].key) ++child;
        if (!(entries_[child].key > node.key)) break;
        entries_[i] = entries_[child];
        i = child;
    }
    entries_[i] = node;
}
