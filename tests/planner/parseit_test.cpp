#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "planner/parseit.h"

namespace {

// Parses the text and returns what ParseIt printed.
std::string Parse(const std::string& text, ParseList& list) {
    testing::internal::CaptureStdout();
    ParseText(text, list);
    return testing::internal::GetCapturedStdout();
}

int32_t Int(const ParseList& list, const char* name) {
    int error = 0;
    int32_t v = GetParseInt(list, name, error);
    EXPECT_EQ(error, 0) << name;
    return v;
}

double Real(const ParseList& list, const char* name) {
    int error = 0;
    double v = GetParseFloat(list, name, error);
    EXPECT_EQ(error, 0) << name;
    return v;
}

bool Defined(const ParseList& list, const char* name) { return FindParseSymbol(list, name); }

TEST(ParseItExpressions, ArithmeticPrecedenceAndTypes) {
    ParseList list = NewParseList();
    EXPECT_EQ(Parse("int a = 7 / 2;\n"
                    "float b = 7 / 2.0;\n"
                    "int c = 2 ^ 3 ^ 2;\n"
                    "int d = (int) 3.9;\n"
                    "int e = -2 * 3;\n"
                    "int f = 1 is 1;\n"
                    "int g = 2 <= 1;\n"
                    "int h = 1 + 2 * 3;\n"
                    "int i = (1 + 2) * 3;\n"
                    "int j = 10 - 4 - 3;\n"
                    "int k = -7 / 2;\n"
                    "int l = 2 ^ -1;\n"
                    "double m = 2.0 ^ 0.5;\n"
                    "int n = 3 != 3;\n"
                    "int o = 3 isnt 4;\n"
                    "int p = 2.5 >= 2;\n"
                    "double q = (double) 7 / 2;\n"
                    "double r = a * b + .5;\n"
                    "int s = 65536 * 65536 + 5;\n",
                    list),
              "");
    EXPECT_EQ(Int(list, "a"), 3);
    EXPECT_DOUBLE_EQ(Real(list, "b"), 3.5);
    EXPECT_EQ(Int(list, "c"), 512);
    EXPECT_EQ(Int(list, "d"), 3);
    EXPECT_EQ(Int(list, "e"), -6);
    EXPECT_EQ(Int(list, "f"), 1);
    EXPECT_EQ(Int(list, "g"), 0);
    EXPECT_EQ(Int(list, "h"), 7);
    EXPECT_EQ(Int(list, "i"), 9);
    EXPECT_EQ(Int(list, "j"), 3);
    EXPECT_EQ(Int(list, "k"), -3);
    EXPECT_EQ(Int(list, "l"), 1);
    EXPECT_DOUBLE_EQ(Real(list, "m"), std::sqrt(2.0));
    EXPECT_EQ(Int(list, "n"), 0);
    EXPECT_EQ(Int(list, "o"), 1);
    EXPECT_EQ(Int(list, "p"), 1);
    EXPECT_DOUBLE_EQ(Real(list, "q"), 3.5);
    EXPECT_DOUBLE_EQ(Real(list, "r"), 11.0);
    EXPECT_EQ(Int(list, "s"), 5);  // int arithmetic keeps the low 32 bits
}

TEST(ParseItExpressions, UndeclaredNameAndIntegerDivisionByZeroEndTheParse) {
    ParseList list = NewParseList();
    EXPECT_EQ(Parse("double h = x + 1; int later = 1;", list),
              "ParseIt Error: Variable not declared\n");
    EXPECT_TRUE(Defined(list, "h"));
    EXPECT_FALSE(Defined(list, "later"));

    ParseList list2 = NewParseList();
    EXPECT_EQ(Parse("int z = 5 / 0; int later = 1;", list2), "ParseIt Error: Division by zero\n");
    EXPECT_EQ(Int(list2, "z"), -1);
    EXPECT_FALSE(Defined(list2, "later"));

    // Doubles divide as IEEE does, and the parse goes on.
    ParseList list3 = NewParseList();
    EXPECT_EQ(Parse("double a = 1.0 / 0; double b = -5 / 0.0; double c = 0.0 / 0; int d = 1.0 / 0;"
                    " int later = 1;",
                    list3),
              "");
    EXPECT_EQ(Real(list3, "a"), INFINITY);
    EXPECT_EQ(Real(list3, "b"), -INFINITY);
    EXPECT_TRUE(std::isnan(Real(list3, "c")));
    EXPECT_EQ(Int(list3, "d"), INT32_MAX);
    EXPECT_EQ(Int(list3, "later"), 1);

    ParseList list4 = NewParseList();
    Parse("int empty = ; int later = 1;", list4);
    EXPECT_FALSE(Defined(list4, "later"));
}

TEST(ParseItExpressions, ParenthesisErrorsOnlyPrintAndGoOn) {
    ParseList list = NewParseList();
    EXPECT_EQ(Parse("int p = (1 + 2; int c = (int 3.9; int q = 3;", list),
              "ParseIt Error: Unmatched parentheses\n\n"
              "ParseIt Error: Unmatched parenthesis in type-casting\n\n");
    EXPECT_EQ(Int(list, "p"), -1);
    EXPECT_EQ(Int(list, "c"), -1);
    EXPECT_EQ(Int(list, "q"), 3);
}

TEST(ParseItStatements, DefinesCommentsAndAssignments) {
    ParseList list = NewParseList();
    EXPECT_EQ(Parse("/* settings */\n"
                    "#define SCALE 2\n"
                    "#define RATE 2.5\n"
                    "#define NAME \"abc\"\n"
                    "int a /* not ; the end */ = SCALE * 3;\n"
                    "a = a + 1;\n"
                    "int twice = 1; int twice = 2;\n"
                    "char c = 'q';\n"
                    "char label[4] = \"long text\";\n"
                    "label = \"xy\";\n"
                    "c = 'z';\n"
                    "float zero;\n",
                    list),
              "");
    EXPECT_EQ(Int(list, "SCALE"), 2);
    int error = 0;
    EXPECT_DOUBLE_EQ(GetParseDouble(list, "RATE", error), 2.5);
    EXPECT_EQ(error, 0);
    std::string text;
    GetParseString(list, "NAME", error, text);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(Int(list, "a"), 7);
    EXPECT_EQ(Int(list, "twice"), 2);
    EXPECT_EQ(FindParseSymbol(list, "c")->intValue, 'z');
    GetParseString(list, "label", error, text);
    EXPECT_EQ(text, "xy");
    EXPECT_DOUBLE_EQ(Real(list, "zero"), 0.0);

    // The string was cut to its three characters before the assignment replaced it.
    ParseList cut = NewParseList();
    Parse("char label[4] = \"long text\";", cut);
    GetParseString(cut, "label", error, text);
    EXPECT_EQ(text, "lon");
}

TEST(ParseItStatements, UnknownWordsAndForEndTheParse) {
    for (const char* bad : {"bogus x = 1;", "for (i) ;", "{ int y = 1; }", "else ;"}) {
        ParseList list = NewParseList();
        Parse(std::string("int a = 1; ") + bad + " int b = 2;", list);
        EXPECT_TRUE(Defined(list, "a")) << bad;
        int error = 0;
        EXPECT_EQ(GetParseInt(list, "b", error), -1) << bad;
        EXPECT_EQ(error, -1) << bad;
    }
}

TEST(ParseItStatements, IfElseBlocks) {
    struct Case {
        const char* text;
        int32_t x;  // 0: not defined
    } cases[] = {
        {"if (1) { int x = 1; } else { int x = 2; }", 1},
        {"if (0) { int x = 1; } else { int x = 2; }", 2},
        {"if (0) { int x = 1; }", 0},
        {"int n = 3; if (n > 2) { if (n is 3) { int x = 4; } } /* note */ else { int x = 5; }", 4},
        {"if (0) { int x = 1; } /* c */ else { int x = 6; }", 6},
    };
    for (const Case& c : cases) {
        ParseList list = NewParseList();
        Parse(std::string(c.text) + " int after = 9;", list);
        if (c.x) {
            EXPECT_EQ(Int(list, "x"), c.x) << c.text;
        } else {
            EXPECT_FALSE(Defined(list, "x")) << c.text;
        }
        EXPECT_EQ(Int(list, "after"), 9) << c.text;
    }
    ParseList list = NewParseList();
    Parse("if (1) int x = 1; int after = 9;", list);
    EXPECT_FALSE(Defined(list, "after"));
}

// The first row's name holds the beginning of the table's terminator and goes on: it stays
// text, whole.
TEST(ParseItStatements, TablesOfStructRows) {
    ParseList list = NewParseList();
    EXPECT_EQ(Parse("struct Robot { int id; float speed; char tag; char name[6]; double size; "
                    "bogus field; };\n"
                    "Robot robots[2] = {\n"
                    "  {1, 2.5, 'a', \"#END\", 0.25},\n"
                    "  {2, 3, 'b', \"toolongname\", 7},\n"
                    "  {3, 4, 'c', \"extra\", 8}\n"
                    "};\n#END_DATA\n"
                    "int after = 1;\n",
                    list),
              "ParseIt Error: Bad field name\n");
    const ParseSymbol* t = FindParseSymbol(list, "robots");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->type, PARSE_TABLE);
    const int rowSize = 4 + 4 + 1 + 6 + 8;
    ASSERT_EQ(t->data.size(), 2u * rowSize);
    for (int row = 0; row < 2; ++row) {
        const unsigned char* r = t->data.data() + row * rowSize;
        int32_t id;
        float speed;
        double size;
        std::memcpy(&id, r, 4);
        std::memcpy(&speed, r + 4, 4);
        std::memcpy(&size, r + 15, 8);
        EXPECT_EQ(id, row + 1);
        EXPECT_FLOAT_EQ(speed, row == 0 ? 2.5f : 3.0f);
        EXPECT_EQ(r[8], row == 0 ? 'a' : 'b');
        EXPECT_STREQ(reinterpret_cast<const char*>(r + 9), row == 0 ? "#END" : "toolo");
        EXPECT_DOUBLE_EQ(size, row == 0 ? 0.25 : 7.0);
    }
    EXPECT_EQ(Int(list, "after"), 1);
}

TEST(ParseItStatements, OversizedStringsAndTablesAreRefused) {
    for (const char* bad :
         {"char big[999999999];", "struct S { int a; }; S rows[999999999] = { {1} };\n#END_DATA\n",
          "int n = 0; struct S { int a; }; S rows[n - 1] = { {1} };\n#END_DATA\n"}) {
        ParseList list = NewParseList();
        Parse(std::string(bad) + " int after = 1;", list);
        EXPECT_FALSE(Defined(list, "big")) << bad;
        EXPECT_FALSE(Defined(list, "rows")) << bad;
        EXPECT_FALSE(Defined(list, "after")) << bad;
    }
}

TEST(ParseItGetters, TypesAcceptedAndMissingNames) {
    ParseList list = NewParseList();
    Parse("int i = 4; float f = 1.5; double d = 2.5; char s[8] = \"path\";", list);
    int error = 0;
    EXPECT_DOUBLE_EQ(GetParseFloat(list, "d", error), 2.5);
    EXPECT_EQ(error, 0);
    EXPECT_DOUBLE_EQ(GetParseFloat(list, "f", error), 1.5);
    EXPECT_DOUBLE_EQ(GetParseDouble(list, "f", error), -1.0);
    EXPECT_EQ(error, -1);
    EXPECT_EQ(GetParseInt(list, "f", error), -1);
    EXPECT_EQ(error, -1);
    EXPECT_DOUBLE_EQ(GetParseFloat(list, "i", error), -1.0);
    EXPECT_EQ(error, -1);
    std::string out = "unchanged";
    GetParseString(list, "i", error, out);
    EXPECT_EQ(error, -1);
    GetParseString(list, "nothing", error, out);
    EXPECT_EQ(out, "unchanged");
    GetParseString(list, "s", error, out);
    EXPECT_EQ(out, "path");
    FreeParseList(list);
    EXPECT_EQ(GetParseInt(list, "i", error), -1);
}

TEST(ParseItFiles, MissingFileLongTokensAndEndByte) {
    testing::internal::CaptureStdout();
    ParseList list = NewParseList();
    OpenParseFile("/nonexistent/planner.cfg", list);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ParseIt Error: Error Opening parse file: '/nonexistent/planner.cfg'\n");

    std::string path = (std::filesystem::temp_directory_path() /
                        ("parseit_test_" + std::to_string(::getpid()) + ".cfg"))
                           .string();
    std::string longName(200, 'n');
    {
        std::ofstream f(path, std::ios::binary);
        f << "int " << longName << " = 5;\nint kept = 1;\n" << '\xff' << "int lost = 2;\n";
    }
    OpenParseFile(path, list);
    std::filesystem::remove(path);
    EXPECT_EQ(Int(list, longName.substr(0, 79).c_str()), 5);
    EXPECT_EQ(Int(list, "kept"), 1);
    EXPECT_FALSE(Defined(list, "lost"));

    // The last statement needs no line feed after it.
    {
        std::ofstream f(path, std::ios::binary);
        f << "int first = 1;\nint last = 3;";
    }
    OpenParseFile(path, list);
    std::filesystem::remove(path);
    EXPECT_EQ(Int(list, "last"), 3);
}

}  // namespace
