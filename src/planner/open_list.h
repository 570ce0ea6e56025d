// The open list of a grid search: a binary max-heap of nodes ordered by key (10000 - f, so the
// cell with the smallest f comes out first), entries 1 .. top of a fixed array, with each
// cell's entry indexed so that a key is changed without a search.
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
inline bool SameCell(const GridNode& a, const GridNode& b) { return a.row == b.row && a.col == b.col; }

class OpenList {
public:
    // Sizes the index from each cell of a rows x cols grid to its entry, and empties the list.
    void IndexCells(int32_t rows, int32_t cols);
    void Clear();
    bool Empty() const { return top_ == 0; }
    // False, and nothing stored, when the list is full.
    bool Push(const GridNode& node);
    GridNode Pop();
    // Gives the entry of the node's cell the node's key; pushes the node when its cell is not in
    // the list. False when that push fails.
    bool ChangeKey(const GridNode& node);

private:
    int32_t& SlotOf(const GridNode& node) { return slots_[static_cast<size_t>(node.row) * cols_ + node.col]; }
    void Place(int i, const GridNode& node) {
        entries_[i] = node;
        SlotOf(node) = i;
    }
    void SiftUp(int i, GridNode node);
    void SiftDown(int i, GridNode node);

    std::vector<GridNode> entries_;  // index 0 unused; allocated on first push
    int top_ = 0;
    std::vector<int32_t> slots_;     // per cell, row by row: its entry, 0 when not in the list
    int32_t cols_ = 0;
};
