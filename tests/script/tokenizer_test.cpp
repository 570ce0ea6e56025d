#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "script/tokenizer.h"
#include "support/script_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Int(uint8_t t, int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    return {t, uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
}
Bytes Flt(float f) {
    int32_t v;
    std::memcpy(&v, &f, 4);
    return Int('F', v);
}
Bytes Txt(uint8_t t, const std::string& s) {
    std::string bytes = char(t) + s + '\0';
    return Bytes(bytes.begin(), bytes.end());
}
Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

class Tokenizer : public ScriptTest {
protected:
    // Tokenizes one line at the start of a fresh buffer; the bytes up to the end mark or count.
    Bytes Scan(const char* line, int* result = nullptr) {
        ParenDropFlag = 0;
        buf_.assign(StatementBufferSize, 0xEE);
        int r = ScanTokens(line, buf_.data(), buf_.size());
        if (result) *result = r;
        size_t n = r > 0 ? size_t(r) : r == 0 ? MeasureStatement(buf_.data(), buf_.size()) : 0;
        return Bytes(buf_.begin(), buf_.begin() + n);
    }
    Bytes buf_;
};

}  // namespace

TEST_F(Tokenizer, LiteralsIdentifiersAndOperators) {
    EXPECT_EQ(Scan("Play \"door.wav\" 3 -200 7L 1.5 2e1 'x;"), Cat({{'@'},
                                                                    Txt('Y', "Play"),
                                                                    Txt('S', "door.wav"),
                                                                    Int('I', 3),
                                                                    Int('I', -200),
                                                                    Int('J', 7),
                                                                    Flt(1.5f),
                                                                    Flt(20.0f),
                                                                    {'C', 'x', ';', '\\'}}));
    // A name, '-' and a name with no blanks is one name; '*' between names is a token of its own.
    EXPECT_EQ(Scan("a-b c*d;"),
              Cat({{'@'}, Txt('Y', "a-b"), Txt('Y', "c"), {'*'}, Txt('Y', "d"), {';', '\\'}}));
    // A lone '-' is the literal 0; a run of digits and '-' converts like atoi.
    EXPECT_EQ(Scan("x - 1 12-3 --5;"), Cat({{'@'},
                                            Txt('Y', "x"),
                                            Int('I', 0),
                                            Int('I', 1),
                                            Int('I', 12),
                                            Int('I', 0),
                                            {';', '\\'}}));
    // The printed forms of the largest float, and a number short of halfway from it to 2^128,
    // are the largest float.
    const float largest = std::numeric_limits<float>::max();
    EXPECT_EQ(Scan("3.4028235e38 -3.40282347e38 340282356779733623858607532500980858880.0;"),
              Cat({{'@'}, Flt(largest), Flt(-largest), Flt(largest), {';', '\\'}}));
    // 1.5.2 is two floats; two-character operators get their codes.
    EXPECT_EQ(Scan("1.5.2 != && ++ << <= == >> >= || < = ! ;"),
              Cat({{'@'},
                   Flt(1.5f),
                   Flt(0.2f),
                   {'n', 'a', 'p', 'L', 'l', 'q', 'R', 'g', 'o', '<', '=', '!', ';', '\\'}}));
}

TEST_F(Tokenizer, VariablesAndParentheses) {
    DeclareVariable("count");
    // A command's argument list loses its parentheses; a condition keeps them.
    EXPECT_EQ(Scan("LoadMap(\"a.lvl\");"),
              Cat({{'@'}, Txt('Y', "LoadMap"), Txt('S', "a.lvl"), {';', '\\'}}));
    EXPECT_EQ(Scan("if (count < 3) {"), Cat({{'@'},
                                             Txt('Y', "if"),
                                             {'('},
                                             Txt('U', "count"),
                                             {'<'},
                                             Int('I', 3),
                                             {')', '{', '\\'}}));
    EXPECT_EQ(BraceDepth, 1);
    Scan("}");
    EXPECT_EQ(BraceDepth, 0);
}

TEST_F(Tokenizer, LinesGatherIntoStatements) {
    int r;
    // An if line without ';' or brace leaves the statement open; the next line joins after '@'.
    Bytes first = Scan("if (a", &r);
    EXPECT_EQ(r, int(first.size()));
    EXPECT_EQ(first, Cat({{'@'}, Txt('Y', "if"), {'('}, Txt('Y', "a")}));
    ParenDropFlag = 0;  // the loader starts every line so
    int r2 = ScanTokens(" > 2)", buf_.data() + r, buf_.size() - r);
    EXPECT_GT(r2, 0);
    ParenDropFlag = 0;
    int r3 = ScanTokens("x;", buf_.data() + r + r2, buf_.size() - r - r2);
    EXPECT_EQ(r3, ScanComplete);
    EXPECT_EQ(Bytes(buf_.begin(), buf_.begin() + MeasureStatement(buf_.data(), buf_.size())),
              Cat({{'@'},
                   Txt('Y', "if"),
                   {'('},
                   Txt('Y', "a"),
                   {'@', '>'},
                   Int('I', 2),
                   {')', '@'},
                   Txt('Y', "x"),
                   {';', '\\'}}));
    // Comments: "//" drops the line, "/* */" is passed over, an unclosed "/*" ends the line.
    Scan("x; // note", &r);
    EXPECT_EQ(r, ScanComment);
    EXPECT_EQ(Scan("/* a */ y; /* b"), Cat({{'@'}, Txt('Y', "y"), {';', '\\'}}));
    // Two statements on one line are one; a line of only "}" completes one without words.
    EXPECT_EQ(Scan("a; b;"), Cat({{'@'}, Txt('Y', "a"), {';'}, Txt('Y', "b"), {';', '\\'}}));
    EXPECT_EQ(Scan("}"), Bytes({'@', '}', '\\'}));

    // The lines of a statement being dropped are read only for where it ends, as ScanTokens
    // reads them, and count no brace.
    const struct {
        const char* line;
        int end;
    } dropped[] = {
        {"  50, 90, 0);", ScanComplete},
        {"if (a < 2) {", ScanComplete},
        {"}", ScanComplete},
        {"a \"; { }\" b", ScanGoesOn},
        {"a \"no close;", ScanGoesOn},
        {"';' b", ScanGoesOn},
        {"a '", ScanGoesOn},
        {"/* ; */ b /* {", ScanGoesOn},
        {"*/; b", ScanComplete},
        {"b // ;", ScanComment},
        {"'/ / b; //", ScanComment},
        {"", ScanGoesOn},
    };
    for (const auto& d : dropped) {
        BraceDepth = 0;
        EXPECT_EQ(PassOverTokens(d.line), d.end) << d.line;
        EXPECT_EQ(BraceDepth, 0) << d.line;
        Scan(d.line, &r);
        EXPECT_EQ(r > 0 ? ScanGoesOn : r, d.end) << d.line;
    }
}

TEST_F(Tokenizer, HostileLinesNeverWritePastTheirRoom) {
    int r;
    // A quote at the end of a line ends it; a string runs to the end of an unclosed line.
    EXPECT_EQ(Scan("x '"), Cat({{'@'}, Txt('Y', "x")}));
    EXPECT_EQ(Scan("x \"abc;"), Cat({{'@'}, Txt('Y', "x"), Txt('S', "abc;")}));
    // Words and literals longer than the tokenizer holds are refused.
    Scan(("x" + std::string(200, 'a') + ";").c_str(), &r);
    EXPECT_EQ(r, ScanTooLong);
    Scan(("\"" + std::string(64, 's') + "\";").c_str(), &r);
    EXPECT_EQ(r, ScanTooLong);
    Scan((std::string(70, '7') + ";").c_str(), &r);
    EXPECT_EQ(r, ScanTooLong);
    // So are numbers whose float overflows: from halfway between the largest float and 2^128 on,
    // on either side. A refused line counts none of its braces.
    for (const char* line : {"{ x 3.4028236e38 }", "{ x -3.4028236e38 }", "{ x 1e39 }",
                             "{ x 340282356779733661637539395458142568448.0 }", "{ x -1e400 }"}) {
        Scan(line, &r);
        EXPECT_EQ(r, ScanOutOfRange) << line;
        EXPECT_EQ(BraceDepth, 0) << line;
    }
    // Output that does not fit is refused and nothing is written past the room given.
    std::vector<uint8_t> small(32, 0xEE);
    ParenDropFlag = 0;
    EXPECT_EQ(ScanTokens("1 2 3 4 5 6 7 8 9;", small.data(), 24), ScanFull);
    for (size_t i = 24; i < small.size(); ++i) EXPECT_EQ(small[i], 0xEE);
    // Characters outside the language are passed over.
    EXPECT_EQ(Scan("$x\x01\xff@`;"), Cat({{'@'}, Txt('Y', "x"), {';', '\\'}}));
}
