// Linear text through the tree and back: the generator writes every frame
// in a form the parser reads into the same atom class, so after one pass
// the text no longer changes and neither does the tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "TreeCheck.h"
#include "rows/EqExpr.h"
#include "rows/TreeDump.h"

namespace {

struct Line {
    const char* text;
    // Whether the first tree already has the shape of every later one. Empty
    // slots come back holding "?", and brackets around a single bracket
    // atom are written once, so those lines change shape once.
    bool sameShape;
};

// Model lines as the host writes them; Cyrillic names and comments are
// Windows-1251 bytes.
// clang-format off
const Line kCorpus[] = {
    {"x = a + b;", true},
    {"d(x)/dt = -k*x;", true},
    {"d2(y)/dt = -omega**2*y + F/m; -- \xEA\xEE\xEB\xE5\xE1\xE0\xED\xE8\xFF", true},
    {"v = sqrt(2*g*h);", true},
    {"z = exp(-t/tau)*cos(omega*t);", true},
    {"y = if x > 0 then sin(x)/x else 1;", true},
    {"a[i] = b[i, j]**2 + c[k]/(1 + d[k]);", true},
    {"P = pow(x[i], 3) - pow(y, n+1);", true},
    // Speed = Path/Time; -- m/s (the last letter of the name is 0xFF)
    {"\xD1\xEA\xEE\xF0\xEE\xF1\xF2\xFC = \xCF\xF3\xF2\xFC/\xC2\xF0\xE5\xEC\xFF; -- \xEC/\xF1", true},
    // Level[k] = Level[k-1] + Flow/Area;
    {"\xD3\xF0\xEE\xE2\xE5\xED\xFC[\xEA] = \xD3\xF0\xEE\xE2\xE5\xED\xFC[\xEA-1] + "
     "\xD0\xE0\xF1\xF5\xEE\xE4/\xCF\xEB\xEE\xF9\xE0\xE4\xFC;", true},
    {"q = (a+b)*(c-d)/((e+f)*g);", true},
    {"r = abs(x - y) mod 3 div 2;", true},
    {"e = LocalTime + Time/60;", true},
    {"f = integral(x**2, t) / delay(y, 0.5);", true},
    {"w = d x/dt + d(y)/d tau;", true},
    {"g = 1/(1 + exp(-x));", true},
    {"h = a ** b ** c;", true},
    {"t = d2(x[i])/dt;", true},
    {"y = -x/2 + 2*a/b - sin(x)/2;", true},
    {"u = a|b or not c and x[n]**(k+1);", true},
    {"s = matrixfromfile(\"data.txt\");", true},
    {"for i in 1:n -- \xF1\xF3\xEC\xEC\xE0 \xEA\xE2\xE0\xE4\xF0\xE0\xF2\xEE\xE2", true},
    {"-- \xF2\xEE\xEB\xFC\xEA\xEE \xEA\xEE\xEC\xEC\xE5\xED\xF2\xE0\xF0\xE8\xE9", true},
    {"k = ((a));", false},
    {"m = x/;", false},
    {"n = sqrt();", false},
    {"p = x[]**2;", false},
    {"o = d(x)/dtau;", true},
    {"c = /b + a/not d;", false},
    {"r = sqrt(x)[i] + a**sqrt(y)[j];", false},
    {"q = (sqrt(x))[i];", true},
    {"z = d t(x)/dt + d2 u(y)/dt;", false},
};
// clang-format on

// The editor's reading of one line: symbols, trimmed, composed.
std::unique_ptr<CEqExpr> Parse(const TestEditor& ed, const std::string& text) {
    std::unique_ptr<CEqExpr> row(ed.RowOf(text));
    row->Trim();
    row->Compose();
    return row;
}

// The editor's writing of one line folds runs of blanks into one.
std::string Write(CEqExpr& row) {
    std::string text = row.ToText(false);
    for (size_t p; (p = text.find("  ")) != std::string::npos;)
        text.erase(p, 1);
    return text;
}

std::string WithoutBlanks(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

class RoundTrip : public ::testing::TestWithParam<Line> {};

TEST_P(RoundTrip, TextAndTreeSettleAfterOnePass) {
    TestEditor ed;
    auto first = Parse(ed, GetParam().text);
    ASSERT_EQ(CheckTree(*first, ed.data.get()), "");
    std::string firstShape = WithoutBlanks(TreeDump::Dump(*first));
    std::string text1 = Write(*first);

    auto second = Parse(ed, text1);
    ASSERT_EQ(CheckTree(*second, ed.data.get()), "");
    std::string tree2 = TreeDump::Dump(*second);
    std::string text2 = Write(*second);

    auto third = Parse(ed, text2);
    ASSERT_EQ(CheckTree(*third, ed.data.get()), "");
    EXPECT_EQ(TreeDump::Dump(*third), tree2);
    EXPECT_EQ(text2, text1);
    EXPECT_EQ(Write(*third), text1);
    if (GetParam().sameShape)
        EXPECT_EQ(WithoutBlanks(tree2), firstShape) << text1;
    else
        EXPECT_NE(WithoutBlanks(tree2), firstShape) << text1;
}

std::string NameOf(const ::testing::TestParamInfo<Line>& info) {
    return "line" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Corpus, RoundTrip, ::testing::ValuesIn(kCorpus), NameOf);

TEST(RoundTripText, WrittenForms) {
    // A few lines written out in full, to pin the frames the corpus relies on.
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"y = if x > 0 then sin(x)/x else 1;", "y = if x > 0 then ( sin( x ) ) / x else 1;"},
        {"w = d x/dt + d(y)/d tau;",          "w = d( x ) / dt + d( y ) / d tau ;"},
        {"P = pow(x[i], 3);",                 "P = x[i] ** 3 ;"},
        {"m = x/;",                           "m = x / ( ? );"},
        {"\xD1\xEA = \xCF/\xC2\xFF;",         "\xD1\xEA = \xCF / \xC2\xFF ;"},
    };
    // clang-format on
    for (const auto& [in, out] : cases) {
        TestEditor ed;
        auto row = Parse(ed, in);
        EXPECT_EQ(Write(*row), out) << in;
    }
}

} // namespace
