// ParseIt's expression evaluator: the values it yields and the evaluation of a statement's
// tokens.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "planner/parseit.h"
#include "planner/parseit_scanner_detail.h"

namespace parseit {

// A value of the evaluator: an int or a double.
struct Value {
    bool isInt = false;
    int32_t i = 0;
    double d = 0.0;
    static Value Int(int32_t v) { return {true, v, static_cast<double>(v)}; }
    static Value Double(double v) { return {false, TruncateToInt(v), v}; }
    double AsDouble() const { return isInt ? static_cast<double>(i) : d; }
    int32_t AsInt() const { return isInt ? i : TruncateToInt(d); }
};

// Evaluates tokens [first, last) of a statement. error is set to -1 by an undeclared name, an
// empty range or an integer division by zero and left alone otherwise.
Value Evaluate(const ParseList& list, const std::vector<Token>& tokens, std::size_t first,
               std::size_t last, int& error);

}  // namespace parseit
