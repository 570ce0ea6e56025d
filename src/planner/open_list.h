// The open list of a grid search: a binary heap of cells, entries 1 .. top of a fixed array,
// the cell with the smallest f at the top, with each cell's entry indexed so that a key is
// changed without a search. A node's priority is its key 10000 - f; as every f is at least 1,
// that difference is exact and ordering by the float f is ordering by the key, ties included.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct GridNode {
    double key = 0.0;  // open-list priority
    int32_t row = 0;
    int32_t col = 0;
};

// Two nodes are the same cell when row and column agree; the key is not compared.
inline bool SameCell(const GridNode& a, const GridNode& b) {
    return a.row == b.row && a.col == b.col;
}

// An open cell: its f and its number (row x cols + col).
struct OpenEntry {
    float f = 0.0f;
    int32_t cell = 0;
};

class OpenList {
public:
    // Sizes the index from each cell of a rows x cols grid to its entry, and empties the list.
    void IndexCells(int32_t rows, int32_t cols);
    void Clear();
    bool Empty() const { return top_ == 0; }
    // False, and nothing stored, when the list is full.
    bool Push(const OpenEntry& entry);
    OpenEntry Pop();
    // Gives the entry of the cell its new f; pushes the entry when its cell is not in the list.
    // False when that push fails.
    bool ChangeKey(const OpenEntry& entry);

private:
    void Place(int i, const OpenEntry& entry) {
        entries_[i] = entry;
        slots_[entry.cell] = i;
    }
    void SiftUp(int i, OpenEntry entry);
    void SiftDown(int i, OpenEntry entry);

    std::vector<OpenEntry> entries_;  // index 0 unused; allocated on first push
    int top_ = 0;
    std::vector<int32_t> slots_;  // per cell: its entry, 0 when not in the list
};
