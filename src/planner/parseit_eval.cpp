// ParseIt's expression evaluator. Levels, loosest first: equality, relational, additive,
// multiplicative, power (right-associative), unary minus, parentheses and casts, operands.
// Every level yields an int or a double; ints stay ints until they meet a double.
#include "planner/parseit_eval_detail.h"

#include <cmath>

#include "planner/messages.h"
#include "planner/parseit_detail.h"
#include "planner/parseit_scanner_detail.h"

namespace parseit {
namespace {

// Int arithmetic keeps the low 32 bits of the exact result.
int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

// The left value multiplied by itself `times` times, low 32 bits kept.
int32_t IntPower(int32_t base, int32_t times) {
    uint32_t result = 1;
    uint32_t b = static_cast<uint32_t>(base);
    for (uint32_t n = times > 0 ? static_cast<uint32_t>(times) : 0; n != 0; n >>= 1) {
        if (n & 1) result *= b;
        b *= b;
    }
    return static_cast<int32_t>(result);
}

bool Same(const Value& a, const Value& b) {
    return (a.isInt && b.isInt) ? a.i == b.i : a.AsDouble() == b.AsDouble();
}

class Evaluator {
public:
    Evaluator(const ParseList& list, const std::vector<Token>& tokens, std::size_t first,
              std::size_t last, int& error)
        : list_(list), tokens_(tokens), pos_(first), end_(last), error_(error) {}

    Value Equality() {
        Value a = Relational();
        bool wantEqual;
        if (Is("=") && Is("=", 1)) {
            wantEqual = true;
            pos_ += 2;
        } else if (Is("is")) {
            wantEqual = true;
            ++pos_;
        } else if (Is("!") && Is("=", 1)) {
            wantEqual = false;
            pos_ += 2;
        } else if (Is("isnt")) {
            wantEqual = false;
            ++pos_;
        } else {
            return a;
        }
        Value b = Relational();
        return Value::Int(Same(a, b) == wantEqual ? 1 : 0);
    }

private:
    bool Is(const char* text, std::size_t ahead = 0) const {
        return pos_ + ahead < end_ && tokens_[pos_ + ahead].text == text;
    }

    Value Relational() {
        Value a = Additive();
        if (!Is(">") && !Is("<")) return a;
        bool greater = Is(">");
        ++pos_;
        bool orEqual = Is("=");
        if (orEqual) ++pos_;
        Value b = Additive();
        bool result;
        if (a.isInt && b.isInt) {
            result =
                greater ? (orEqual ? a.i >= b.i : a.i > b.i) : (orEqual ? a.i <= b.i : a.i < b.i);
        } else {
            double x = a.AsDouble(), y = b.AsDouble();
            result = greater ? (orEqual ? x >= y : x > y) : (orEqual ? x <= y : x < y);
        }
        return Value::Int(result ? 1 : 0);
    }

    Value Additive() {
        Value a = Multiplicative();
        while (Is("+") || Is("-")) {
            bool plus = Is("+");
            ++pos_;
            Value b = Multiplicative();
            if (a.isInt && b.isInt) {
                a = Value::Int(Wrap(plus ? int64_t{a.i} + b.i : int64_t{a.i} - b.i));
            } else {
                a = Value::Double(plus ? a.AsDouble() + b.AsDouble() : a.AsDouble() - b.AsDouble());
            }
        }
        return a;
    }

    Value Multiplicative() {
        Value a = Power();
        while (Is("*") || Is("/")) {
            bool times = Is("*");
            ++pos_;
            Value b = Power();
            bool ints = a.isInt && b.isInt;
            // Doubles divide as IEEE does (an infinity or NaN); only ints refuse a zero divisor.
            if (!times && ints && b.i == 0) {
                ParseItError(planner_messages::DIVISION_BY_ZERO);
                error_ = -1;
                a = Value::Int(-1);
            } else if (ints) {
                a = Value::Int(Wrap(times ? int64_t{a.i} * b.i : int64_t{a.i} / b.i));
            } else {
                a = Value::Double(times ? a.AsDouble() * b.AsDouble()
                                        : a.AsDouble() / b.AsDouble());
            }
        }
        return a;
    }

    Value Power() {
        Value a = Unary();
        if (!Is("^")) return a;
        ++pos_;
        Value b = Power();
        if (a.isInt && b.isInt) return Value::Int(IntPower(a.i, b.i));
        return Value::Double(std::pow(a.AsDouble(), b.AsDouble()));
    }

    Value Unary() {
        if (!Is("-")) return Primary();
        ++pos_;
        Value v = Primary();
        return v.isInt ? Value::Int(Wrap(-int64_t{v.i})) : Value::Double(-v.d);
    }

    Value Primary() {
        if (pos_ >= end_) {
            error_ = -1;
            return Value::Double(0.0);
        }
        if (Is("(")) return Parenthesised();
        const Token& t = tokens_[pos_++];
        if (t.kind == TOKEN_INTEGER) return Value::Int(t.intValue);
        if (t.kind == TOKEN_REAL) return Value::Double(t.doubleValue);
        if (const ParseSymbol* s = FindSymbolOfType(list_, t.text, PARSE_DOUBLE)) {
            return Value::Double(s->doubleValue);
        }
        if (const ParseSymbol* s = FindSymbolOfType(list_, t.text, PARSE_FLOAT)) {
            return Value::Double(s->doubleValue);
        }
        if (const ParseSymbol* s = FindSymbolOfType(list_, t.text, PARSE_INT)) {
            return Value::Int(s->intValue);
        }
        ParseItError(planner_messages::VARIABLE_NOT_DECLARED);
        error_ = -1;
        return Value::Double(-1.0);
    }

    // "(" begins a cast to int (int, char, long) or double (float, double) of the next unary
    // operand, or a parenthesised expression.
    Value Parenthesised() {
        ++pos_;
        bool toInt = Is("int") || Is("char") || Is("long");
        bool toDouble = Is("float") || Is("double");
        if (toInt || toDouble) {
            ++pos_;
            if (!Is(")")) {
                ParseItError(planner_messages::UNMATCHED_CAST);
                return Value::Double(-1.0);
            }
            ++pos_;
            Value v = Unary();
            return toInt ? Value::Int(v.AsInt()) : Value::Double(v.AsDouble());
        }
        Value v = Equality();
        if (!Is(")")) {
            ParseItError(planner_messages::UNMATCHED_PARENTHESES);
            return Value::Double(-1.0);
        }
        ++pos_;
        return v;
    }

    const ParseList& list_;
    const std::vector<Token>& tokens_;
    std::size_t pos_;
    std::size_t end_;
    int& error_;
};

}  // namespace

Value Evaluate(const ParseList& list, const std::vector<Token>& tokens, std::size_t first,
               std::size_t last, int& error) {
    if (first >= last) {
        error = -1;
        return Value::Double(0.0);
    }
    return Evaluator(list, tokens, first, last, error).Equality();
}

}  // namespace parseit
