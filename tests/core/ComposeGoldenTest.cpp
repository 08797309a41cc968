// Structure forming from linear text: each line of the table is composed
// from a row of symbols whose caret stands at its end (as after typing or
// loading), then checked against its tree, caret, count and text.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "elements/EqAtom.h"
#include "platform/Archive.h"
#include "rows/EqExpr.h"
#include "rows/OperandScan.h"
#include "rows/TreeDepth.h"
#include "rows/TreeDump.h"

namespace {

struct Golden {
    const char* input;
    const char* tree;  // TreeDump of the composed row
    const char* caret; // TreeDump::CaretPath after composing
    int count;         // what Compose() returns
    const char* text;  // the row's linear text afterwards
};

// clang-format off
const Golden kGolden[] = {
    // Brackets: one pair is one atom; the caret goes inside an empty pair.
    {"(a+b)",        "B(a+b)",          "1",     1, "( a+b )"},
    {"()",           "B()",             "0.0/0", 1, "( ? )"},
    {"((a))",        "B(B(a))",         "0.0/1", 2, "( a )"},
    {"( a )",        "B(a)",            "1",     1, "( a )"},
    {"(a",           "\\(a",            "2",     0, "(a"},
    {"a)",           "a\\)",            "2",     0, "a)"},
    // Low indexes need a name or a compound atom before "[".
    {"x[i+1]",       "I(x|i+1)",        "1",     1, " x[i+1]"},
    {"x [i]",        "I(x|i)",          "1",     1, " x[i]"},
    {"[1]",          "[1]",             "3",     0, "[1]"},
    {"and[1]",       "and[1]",          "6",     0, "and[1]"},
    {"x[]",          "I(x|)",           "0.1/0", 1, " x[?]"},
    {"f(x)[1]",      "I(B(fB(x))|1)",   "1",     2, "( f( x ) )[1]"},
    {"a[i][j]",      "I(I(a|i)|j)",     "1",     2, "  a[i][j]"},
    // exp, pow and sqrt before a bracket atom.
    {"exp(x+1)",     "H(e|x+1)",        "1",     2, " exp( x+1 )"},
    {"EXP( 2 )",     "H(e|2)",          "1",     2, " exp( 2 )"},
    {"exp ()",       "H(e|)",           "0.1/0", 2, " exp( ? )"},
    {"myexp(x)",     "myexpB(x)",       "6",     1, "myexp( x )"},
    {"exp x",        "exp x",           "5",     0, "exp x"},
    {"pow(x, 2)",    "H(x|2)",          "1",     2, " x ** 2 "},
    {"pow(x[i], 2)", "P(x|i|2)",        "1",     3, " x[i] ** 2 "},
    {"pow(x)",       "H(x|)",           "0.1/0", 2, " x ** ( ? )"},
    {"pow(, 2)",     "H(|2)",           "0.0/0", 2, "( ? ) ** 2 "},
    {"pow(a+b, n)",  "H(B(a+b)|n)",     "1",     2, "( a+b ) ** n "},
    {"sqrt(2)",      "R(2)",            "1",     2, " sqrt( 2 )"},
    {"sqrt()",       "R()",             "0.0/0", 2, " sqrt( ? )"},
    {"Sqrt (a+b)",   "R(a+b)",          "1",     2, " sqrt( a+b )"},
    {"sqrt",         "sqrt",            "4",     0, "sqrt"},
    {"sin(x)",       "sinB(x)",         "4",     1, "sin( x )"},
    // "**": a high index, or a power index on a low index.
    {"x**2",         "H(x|2)",          "1",     1, " x ** 2 "},
    {"x ** 2",       "H(x|2)",          "1",     1, " x ** 2 "},
    {"x[i]**2",      "P(x|i|2)",        "1",     2, " x[i] ** 2 "},
    {"(a+b)**2",     "H(B(a+b)|2)",     "1",     2, "( a+b ) ** 2 "},
    {"x**",          "H(x|)",           "0.1/0", 1, " x ** ( ? )"},
    {"**2",          "H(|2)",           "0.0/0", 1, "( ? ) ** 2 "},
    {"a ** b ** c",  "H(H(a|b)|c)",     "1",     2, "(  a ** b  ) ** c "},
    {"x**-1",        "H(x|)-1",         "0.1/0", 1, " x ** ( ? )-1"},
    // "/": a fraction of the neighbouring operands.
    {"a/b",          "F(a|b)",          "1",     1, " a / b "},
    {"a/",           "F(a|)",           "0.1/0", 1, " a / ( ? )"},
    {"/b",           "F(|b)",           "0.0/0", 1, "( ? ) / b "},
    {"(a+b)/c",      "F(a+b|c)",        "1",     2, "( a+b ) / c "},
    {"1/(a+b)",      "F(1|a+b)",        "1",     2, " 1 / ( a+b )"},
    {"a**2/b",       "F(H(a|2)|b)",     "1",     2, "  a ** 2  / b "},
    {"a/b**2",       "F(a|H(b|2))",     "1",     2, " a /  b ** 2  "},
    {"a/b/c",        "F(F(a|b)|c)",     "1",     2, "  a / b  / c "},
    {"2*a/b",        "2*F(a|b)",        "3",     1, "2* a / b "},
    {"-x/2",         "-F(x|2)",         "2",     1, "- x / 2 "},
    {"sin(x)/2",     "F(sinB(x)|2)",    "1",     2, "( sin( x ) ) / 2 "},
    {"x and y/2",    "x and F(y|2)",    "7",     1, "x and  y / 2 "},
    {"a/not b",      "F(a|)not b",      "0.1/0", 1, " a / ( ? )not b"},
    // Derivatives: the marks d and d2 and the variable forms.
    {"d(x)/dt",      "D(x|t)",          "1",     2, " d( x ) / dt "},
    {"d2(x)/dt",     "D2(x|t)",         "1",     2, " d2( x ) / dt "},
    {"D(x)/DT",      "D(x|t)",          "1",     2, " d( x ) / dt "},
    {"d(a+b)/dt",    "D(B(a+b)|t)",     "1",     2, " d( a+b ) / dt "},
    {"d x/dt",       "D(x|t)",          "1",     1, " d( x ) / dt "},
    {"d x/d tau",    "D(x|tau)",        "1",     1, " d( x ) / d tau "},
    {"d(x)/d(t)",    "D(x|t)",          "1",     3, " d( x ) / dt "},
    {"dx/dt",        "F(dx|dt)",        "1",     1, " dx / dt "},
    {"d(x)/dtau",    "D(x|t)dtau",      "1",     2, " d( x ) / dt dtau"},
    {"d(x)/dx",      "D(x|t)dx",        "1",     2, " d( x ) / dt dx"},
    {"d(x)/",        "D(x|t)",          "1",     2, " d( x ) / dt "},
    {"d(x)/ y",      "D(x|t) y",        "1",     2, " d( x ) / dt  y"},
    {"d(x)/d",       "D(x|t)d",         "1",     2, " d( x ) / dt d"},
    {"and(x)/dt",    "andF(x|dt)",      "4",     2, "and x / dt "},
    {"d/dt",         "F(d|dt)",         "1",     1, " d / dt "},
};
// clang-format on

class ComposeGolden : public ::testing::TestWithParam<Golden> {};

TEST_P(ComposeGolden, TreeCaretCountAndText) {
    const Golden& g = GetParam();
    TestEditor ed;
    std::unique_ptr<CEqExpr> row(ed.RowOf(g.input));
    ed.data->SetCaret(row.get(), row->GetCount() - 1);

    int count = row->Compose();
    ASSERT_EQ(CheckTree(*row, ed.data.get()), "");
    ASSERT_EQ(CheckCaret(*ed.data), "");
    EXPECT_EQ(TreeDump::Dump(*row), g.tree);
    EXPECT_EQ(TreeDump::CaretPath(*row, *ed.data), g.caret);
    EXPECT_EQ(count, g.count);

    // A composed row composes to itself: nothing formed, the caret stays.
    EXPECT_EQ(row->Compose(), 0);
    EXPECT_EQ(TreeDump::Dump(*row), g.tree);
    EXPECT_EQ(TreeDump::CaretPath(*row, *ed.data), g.caret);

    EXPECT_EQ(row->ToText(false), g.text);
    EXPECT_EQ(CheckTree(*row, ed.data.get()), "");
}

std::string NameOf(const ::testing::TestParamInfo<Golden>& info) {
    return "line" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Table, ComposeGolden, ::testing::ValuesIn(kGolden), NameOf);

// ---------------------------------------------------------------------------

TEST(ComposeRuns, EveryFormationEndsTheOpenRun) {
    TestEditor ed;
    for (bool typing : {true, false}) {
        if (typing)
            ed.data->History().BeginTyping(2);
        else
            ed.data->History().BeginErasing(2);
        std::unique_ptr<CEqExpr> row(ed.RowOf("a/"));
        ed.data->SetCaret(row.get(), 2);
        row->Compose();
        EXPECT_FALSE(ed.data->History().IsTyping());
        EXPECT_FALSE(ed.data->History().IsErasing());
    }
}

TEST(ComposeRuns, NothingFormedLeavesRunAndCaretAlone) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> row(ed.RowOf("x+1"));
    ed.data->SetSelection(row.get(), 1, 2);
    ed.data->History().BeginTyping(2);
    EXPECT_EQ(row->Compose(), 0);
    EXPECT_TRUE(ed.data->History().IsTyping());
    EXPECT_EQ(ed.data->AnchorPos(), 1);
    EXPECT_EQ(ed.data->CaretPos(), 2);
}

TEST(ComposeIncremental, TypingOneCharacterAtATime) {
    // The editor composes after every character: structures form as soon
    // as their pattern is complete, and later characters go where the
    // caret went.
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(ed.NewRow());
    ed.data->SetCaret(top.get(), 0);
    for (char ch : std::string("(a+b)/c")) {
        CEqExpr* row = ed.data->CurrentRow();
        CEqExpr* typed = ed.RowOf(std::string(1, ch));
        row->InsertRow(*typed, false);
        delete typed;
        row->Compose();
        ASSERT_EQ(CheckCaret(*ed.data), "") << ch;
    }
    EXPECT_EQ(TreeDump::Dump(*top), "F(a+b|c)");
    EXPECT_EQ(TreeDump::CaretPath(*top, *ed.data), "0.1/1");
}

TEST(ComposeIncremental, SlashPutsCaretIntoDenominatorThenTyping) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(ed.RowOf("a/"));
    ed.data->SetCaret(top.get(), 2);
    top->Compose();
    CEqExpr* den = ed.data->CurrentRow();
    ASSERT_NE(den, top.get());
    CEqExpr* b = ed.RowOf("b");
    den->InsertRow(*b, false);
    delete b;
    EXPECT_EQ(den->Compose(), 0);
    EXPECT_EQ(TreeDump::Dump(*top), "F(a|b)");
    EXPECT_EQ(TreeDump::CaretPath(*top, *ed.data), "0.1/1");
}

TEST(ComposeNested, RowsInsideExistingAtomsAreComposed) {
    // A compound atom already in the row is composed in pass 1, and its
    // count is added.
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(ed.RowOf("(q)"));
    top->Compose();
    CEqExpr* inner = top->GetAt(0)->GetRow(0);
    CEqExpr* extra = ed.RowOf("/2");
    ed.data->SetCaret(inner, inner->GetCount() - 1);
    inner->InsertRow(*extra, false);
    delete extra;
    EXPECT_EQ(TreeDump::Dump(*top), "B(q/2)");
    EXPECT_EQ(top->Compose(), 1);
    EXPECT_EQ(TreeDump::Dump(*top), "B(F(q|2))");
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");
}

TEST(ComposeCyrillic, LettersAboveTheAsciiRangeAreNames) {
    TestEditor ed;
    // "Path/Time" in Cyrillic: both operands are names; the last letter of the
    // denominator is the byte 0xFF, never taken for the end of a row.
    std::string text = "\xCF\xF3\xF2\xFC/\xC2\xF0\xE5\xEC\xFF";
    std::unique_ptr<CEqExpr> row(ed.RowOf(text));
    EXPECT_EQ(row->Compose(), 1);
    EXPECT_EQ(TreeDump::Dump(*row), "F(\xCF\xF3\xF2\xFC|\xC2\xF0\xE5\xEC\xFF)");
    // A Cyrillic letter before "exp" makes it part of a longer name, and
    // one before "d" is no derivative mark.
    const std::string ya = "\xFF";
    std::unique_ptr<CEqExpr> name(ed.RowOf(ya + "exp(x)"));
    name->Compose();
    EXPECT_EQ(TreeDump::Dump(*name), ya + "expB(x)");
    std::unique_ptr<CEqExpr> mark(ed.RowOf(ya + "d(x)/dt"));
    mark->Compose();
    EXPECT_EQ(TreeDump::Dump(*mark), "F(" + ya + "dB(x)|dt)");
}

TEST(ComposeWithoutOwner, FormsStructuresWithoutAnEditor) {
    auto* row = new CEqExpr;
    row->Clear();
    TestEditor ed;
    std::unique_ptr<CEqExpr> source(ed.RowOf("sqrt(a/)"));
    for (int i = 0; i + 1 < source->GetCount(); ++i) {
        std::unique_ptr<CEqAtom> copy = source->GetAt(i)->Clone();
        copy->SetOwner(nullptr);
        row->Append(std::move(copy));
    }
    EXPECT_EQ(row->Compose(), 3);
    EXPECT_EQ(TreeDump::Dump(*row), "R(F(a|))");
    EXPECT_EQ(CheckTree(*row, nullptr), "");
    delete row;
}

// ---------------------------------------------------------------------------
// Operand scans, as the editing commands use them.

struct ScanCase {
    const char* text;
    int from;
    bool leftward;
    const char* operand;
    int stop;
};

TEST(OperandScan, CollectsNamesAndCompoundAtomsUpToKeywords) {
    // clang-format off
    const ScanCase cases[] = {
        {"sin(x)",   4, true,  "sinB(x)", -1}, // composed: s i n B(x)
        {"x and y",  6, true,  "y",        5},
        {"x and",    4, true,  "",         4}, // a keyword ends right here
        {"2*ab",     3, true,  "ab",       1},
        {"a[i](y)",  1, true,  "I(a|i)B(y)", -1},
        {"not b",    0, false, "",         0},
        {"b+c",      0, false, "b",        1},
        {"f(x)[1]y", 0, false, "I(B(fB(x))|1)y", 2},
        {"ab cd",    0, false, "ab",       2},
        {"if",       0, false, "",         0},
    };
    // clang-format on
    for (const ScanCase& c : cases) {
        TestEditor ed;
        std::unique_ptr<CEqExpr> row(ed.RowOf(c.text));
        row->Compose();
        int from = c.from < 0 ? row->GetCount() - 2 : c.from;
        if (c.leftward)
            from = std::min(from, row->GetCount() - 2);
        std::unique_ptr<CEqExpr> op(OperandScan::NewRow(*row));
        int stop = c.leftward ? OperandScan::Leftward(*row, from, *op)
                              : OperandScan::Rightward(*row, from, *op);
        EXPECT_EQ(TreeDump::Dump(*op), c.operand) << c.text;
        EXPECT_EQ(stop, c.stop) << c.text;
        EXPECT_EQ(CheckTree(*op, ed.data.get()), "") << c.text;
    }
}

TEST(OperandScan, PositionsOutsideTheRowTakeNothing) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> row(ed.RowOf("ab"));
    std::unique_ptr<CEqExpr> op(OperandScan::NewRow(*row));
    EXPECT_EQ(OperandScan::Rightward(*row, 2, *op), 2); // the end atom
    EXPECT_EQ(OperandScan::Rightward(*row, 99, *op), 99);
    EXPECT_EQ(OperandScan::Leftward(*row, -5, *op), -5);
    EXPECT_TRUE(op->IsBlank());
    EXPECT_EQ(OperandScan::SkipSpacesRight(*row, 50), 2);
    EXPECT_EQ(OperandScan::SkipSpacesLeft(*row, -3), -3);
}

// ---------------------------------------------------------------------------
// Deep text cannot build trees that an archive image could not hold again.

int Depth(const CEqExpr& row) {
    int deepest = 0;
    for (int i = 0; i < row.GetCount(); ++i) {
        const CEqAtom* atom = row.GetAt(i);
        for (int k = 0; k < atom->GetRowCount(); ++k)
            deepest = std::max(deepest, Depth(*atom->GetRow(k)));
    }
    return 1 + deepest;
}

void ExpectStoresAndLoads(const TestEditor& ed, CEqExpr& row) {
    CArchive out;
    row.Serialize(out);
    CArchive in(out.GetBuffer());
    std::unique_ptr<CEqExpr> back(new CEqExpr(ed.data.get()));
    back->Serialize(in);
    EXPECT_FALSE(in.IsFailed());
    EXPECT_EQ(TreeDump::Dump(*back), TreeDump::Dump(row));
}

TEST(ComposeLimits, DeeplyNestedBracketsStopAtTheArchiveDepth) {
    TestEditor ed;
    const int n = 300;
    std::unique_ptr<CEqExpr> row(ed.RowOf(std::string(n, '(') + "x" + std::string(n, ')')));
    row->Compose();
    EXPECT_EQ(CheckTree(*row, ed.data.get()), "");
    EXPECT_EQ(Depth(*row), CArchive::kMaxDepth);
    ExpectStoresAndLoads(ed, *row);
}

// Nests `levels` bracket atoms into row; returns the innermost row.
CEqExpr* NestBrackets(const TestEditor& ed, CEqExpr* row, int levels) {
    for (int k = 0; k < levels; ++k) {
        auto* brackets = new CEqBrackets;
        brackets->m_pOwner = ed.data.get();
        CEqExpr* inner = ed.NewRow();
        brackets->SetRow(inner);
        row->Append(brackets);
        row = inner;
    }
    return row;
}

void AppendText(const TestEditor& ed, CEqExpr* row, const std::string& text) {
    std::unique_ptr<CEqExpr> symbols(ed.RowOf(text));
    for (int i = 0; i + 1 < symbols->GetCount(); ++i)
        row->Append(symbols->GetAt(i)->Clone());
}

TEST(ComposeLimits, NoFormationInARowTooDeepForAnImage) {
    // A row 255 levels down may still take an atom with one row level;
    // one level further the text stays symbols.
    for (int levels : {CArchive::kMaxDepth - 2, CArchive::kMaxDepth - 1}) {
        TestEditor ed;
        std::unique_ptr<CEqExpr> top(ed.NewRow());
        CEqExpr* deepest = NestBrackets(ed, top.get(), levels);
        AppendText(ed, deepest, "a/b");
        top->Compose();
        bool formed = levels + 1 < CArchive::kMaxDepth;
        EXPECT_EQ(TreeDump::Dump(*deepest), formed ? "F(a|b)" : "a/b") << levels;
        EXPECT_LE(Depth(*top), CArchive::kMaxDepth);
        EXPECT_EQ(CheckTree(*top, ed.data.get()), "");
        ExpectStoresAndLoads(ed, *top);
    }
}

TEST(ComposeLimits, NoFormationAroundAnOperandTooDeep) {
    // Chains such as a/b/c/... wrap the previous atom again and again; the
    // wrap that would pass the limit is not made.
    for (int levels : {CArchive::kMaxDepth - 2, CArchive::kMaxDepth - 1}) {
        TestEditor ed;
        std::unique_ptr<CEqExpr> top(ed.NewRow());
        // The numerator "y(((...)))" keeps its outer brackets.
        AppendText(ed, top.get(), "y");
        AppendText(ed, NestBrackets(ed, top.get(), levels), "x");
        AppendText(ed, top.get(), "/b");
        top->Compose();
        bool formed = levels + 1 < CArchive::kMaxDepth;
        EXPECT_EQ(top->GetAt(0)->IsClass("CEqFraction"), formed) << levels;
        EXPECT_EQ(top->GetCount(), formed ? 2 : 5) << levels;
        EXPECT_LE(Depth(*top), CArchive::kMaxDepth);
        ExpectStoresAndLoads(ed, *top);
    }
}

} // namespace

// ---------------------------------------------------------------------------

namespace {
std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}
} // namespace

TEST(ComposeLongLines, FormDownToTheDepthLimitAndSettle) {
    // Lines nesting deeper than an image may hold: structures form down to
    // the limit and no further, the tree stays sound, and composing again
    // forms nothing and changes nothing.
    const int n = 300;
    const std::string lines[] = {
        "y = " + Repeat("a/", n) + "b",
        Repeat("(", n) + "a" + Repeat(")", n),
        "x" + Repeat("**a", n),
        "a" + Repeat("[i]", n),
        Repeat("sqrt(", n) + "x" + Repeat(")", n),
        Repeat("d(", n) + "x" + Repeat(")/dt", n),
        Repeat("(x)**(", n) + "y" + Repeat(")", n),
        Repeat("pow(a[1], ", n / 3) + "b" + Repeat(")", n / 3) + "/" + Repeat("(", n) + "c" +
            Repeat(")", n),
    };
    for (const std::string& line : lines) {
        TestEditor ed;
        std::unique_ptr<CEqExpr> row(ed.RowOf(line));
        ed.data->SetCaret(row.get(), row->GetCount() - 1);
        EXPECT_GT(row->Compose(), 0) << line;
        ASSERT_EQ(CheckTree(*row, ed.data.get()), "") << line;
        ASSERT_EQ(CheckCaret(*ed.data), "") << line;
        EXPECT_EQ(TreeDepth::Depth(*row), CArchive::kMaxDepth) << line;
        std::string tree = TreeDump::Dump(*row);
        std::string caret = TreeDump::CaretPath(*row, *ed.data);
        EXPECT_EQ(row->Compose(), 0) << line;
        EXPECT_EQ(TreeDump::Dump(*row), tree) << line;
        EXPECT_EQ(TreeDump::CaretPath(*row, *ed.data), caret) << line;
    }
}

TEST(ComposeLongLines, ShortLinesNestAtMostTwoRowsPerSymbol) {
    // Rows of symbols short enough that this bound keeps them within the
    // depth limit form without measuring depths; the deepest nestings at
    // the longest such lines must keep to it.
    const int symbols = (CArchive::kMaxDepth - 2) / 2;
    const std::function<std::string(int)> families[] = {
        [](int n) { return "y=" + Repeat("a/", n) + "b"; },
        [](int n) { return Repeat("(", n) + "a" + Repeat(")", n); },
        [](int n) { return "x" + Repeat("**a", n); },
        [](int n) { return "a" + Repeat("[i]", n); },
        [](int n) { return Repeat("(x)**(", n) + "y" + Repeat(")", n); },
        [](int n) { return Repeat("d(", n) + "x" + Repeat(")/dt", n); },
        [](int n) { return Repeat("a[(", n) + "b" + Repeat(")]", n); },
        [](int n) { return Repeat("exp(", n) + "x" + Repeat(")", n); },
    };
    for (const auto& family : families) {
        int n = 1;
        while (static_cast<int>(family(n + 1).size()) <= symbols)
            ++n;
        std::string line = family(n);
        TestEditor ed;
        std::unique_ptr<CEqExpr> row(ed.RowOf(line));
        EXPECT_GT(row->Compose(), 0) << line;
        ASSERT_EQ(CheckTree(*row, ed.data.get()), "") << line;
        EXPECT_GT(TreeDepth::Depth(*row), n) << line;
        EXPECT_LE(TreeDepth::Depth(*row), 2 * static_cast<int>(line.size()) + 1) << line;
    }
}
