// The open list of a grid search: a binary heap of cells, entries 1 .. top of a fixed array,
// the cell with the smallest f at the top, with each cell's entry indexed so that a key is
// changed without a search. A node's priority is its key 10000 - f; as every f is at least 1,
// that difference is exact and ordering by the float f is ordering by the key, ties included.
// Every place after the last entry holds an f of infinity, so that a sift down chooses among
// children and grandchildren without asking whether they are there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "planner/limits.h"

struct GridNode {
    double key = 0.0;  // open-list priority
    int32_t row = 0;
    int32_t col = 0;
};

// Two nodes are the same cell when row and column agree; the key is not compared.
inline bool SameCell(const GridNode& a, const GridNode& b) {
    return a.row == b.row && a.col == b.col;
}

// An open cell: its f and its number (CellNumber).
struct OpenEntry {
    float f = 0.0f;
    int32_t cell = 0;
};

class OpenList {
public:
    // Sizes the index from each cell number (0 .. cells - 1) to its entry, and empties the list.
    // Called before the first push.
    void IndexCells(std::size_t cells);
    void Clear();
    bool Empty() const { return top_ == 0; }
    // False, and nothing stored, when the list is full.
    bool Push(const OpenEntry& entry) {
        if (top_ + 1 >= planner_limits::OPEN_LIST_ENTRIES) return false;
        ++top_;
        SiftUp(top_, entry);
        return true;
    }
    // The entry with the smallest f, which RemoveTop takes out.
    const OpenEntry& Top() const { return entries_[1]; }
    void RemoveTop();
    // Gives the entry of the cell its new f, smaller than the one it has; pushes the entry when
    // its cell is not in the list. False when that push fails.
    bool DecreaseKey(const OpenEntry& entry) {
        const int found = slots_[entry.cell];
        if (found == 0) return Push(entry);
        SiftUp(found, entry);
        return true;
    }

private:
    void Place(int i, const OpenEntry& entry) {
        entries_[i] = entry;
        slots_[entry.cell] = i;
    }
    // An entry rises above parents whose f is equal to its own; entry 0 stops it.
    void SiftUp(int i, OpenEntry entry) {
        OpenEntry* entries = entries_.data();
        while (entries[i >> 1].f >= entry.f) {  // i >> 1: the parent, as i is never below 1
            Place(i, entries[i >> 1]);
            i >>= 1;
        }
        Place(i, entry);
    }
    void SiftDown(int i, OpenEntry entry);

    std::vector<OpenEntry> entries_;  // index 0 holds no entry; allocated with the index
    int top_ = 0;
    std::vector<int32_t> slots_;  // per cell: its entry, 0 when not in the list
};
