// MathML and LaTeX of composed lines, against golden strings.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TreeCheck.h"
#include "platform/MemoryClipboard.h"
#include "rows/EqExpr.h"
#include "rows/LatexWriter.h"
#include "rows/MathMLWriter.h"

namespace {

struct Golden {
    const char* text;
    const char* mathml; // inside <math>
    const char* latex;
};

// clang-format off
const Golden kGolden[] = {
    // fraction
    {"a/b",
     "<mrow><mfrac><mrow><mi>a</mi></mrow><mrow><mi>b</mi></mrow></mfrac></mrow>",
     "\\frac{a}{b}"},
    // root
    {"sqrt(x+1)",
     "<mrow><msqrt><mrow><mi>x</mi><mo>+</mo><mn>1</mn></mrow></msqrt></mrow>",
     "\\sqrt{x + 1}"},
    // low index
    {"x[i]",
     "<mrow><msub><mrow><mi>x</mi></mrow><mrow><mi>i</mi></mrow></msub></mrow>",
     "x_{i}"},
    // high index
    {"x**2",
     "<mrow><msup><mrow><mi>x</mi></mrow><mrow><mn>2</mn></mrow></msup></mrow>",
     "x^{2}"},
    // power index
    {"pow(x[i], 3)",
     "<mrow><msubsup><mrow><mi>x</mi></mrow><mrow><mi>i</mi></mrow><mrow><mn>3</mn></mrow></msubsup></mrow>",
     "x_{i}^{3}"},
    // first derivative
    {"d(x)/dt",
     "<mrow><mfrac><mrow><mi mathvariant=\"normal\">d</mi><mrow><mi>x</mi></mrow></mrow><mrow><mi mathvariant=\"normal\">d</mi><mrow><mi>t</mi></mrow></mrow></mfrac></mrow>",
     "\\frac{d x}{d t}"},
    // second derivative
    {"d2(y)/dt",
     "<mrow><mfrac><mrow><msup><mi mathvariant=\"normal\">d</mi><mn>2</mn></msup><mrow><mi>y</mi></mrow></mrow><mrow><mi mathvariant=\"normal\">d</mi><msup><mrow><mi>t</mi></mrow><mn>2</mn></msup></mrow></mfrac></mrow>",
     "\\frac{d^{2} y}{d t^{2}}"},
    // brackets
    {"(a+b)*c",
     "<mrow><mrow><mo stretchy=\"true\">(</mo><mrow><mi>a</mi><mo>+</mo><mi>b</mi></mrow><mo stretchy=\"true\">)</mo></mrow><mo>\xE2\x8B\x85</mo><mi>c</mi></mrow>",
     "\\left( a + b \\right) \\cdot c"},
    // exponential
    {"z = exp(-t/T)",
     "<mrow><mi>z</mi><mo>=</mo><msup><mi mathvariant=\"normal\">e</mi><mrow><mo>\xE2\x88\x92</mo><mfrac><mrow><mi>t</mi></mrow><mrow><mi>T</mi></mrow></mfrac></mrow></msup></mrow>",
     "z = \\mathrm{e}^{- \\frac{t}{T}}"},
    // keywords, a function, a comment
    {"y = if x <= 0 then sin(x) else 1; -- note",
     "<mrow><mi>y</mi><mo>=</mo><mi mathvariant=\"bold\">if</mi><mi>x</mi><mo>\xE2\x89\xA4</mo><mn>0</mn><mi mathvariant=\"bold\">then</mi><mi mathvariant=\"bold\">sin</mi><mo>&#x2061;</mo><mrow><mo stretchy=\"true\">(</mo><mrow><mi>x</mi></mrow><mo stretchy=\"true\">)</mo></mrow><mi mathvariant=\"bold\">else</mi><mn>1</mn><mo>;</mo><mspace width=\"1em\"/><mtext>-- note</mtext></mrow>",
     "y = \\mathbf{if} x \\le 0 \\mathbf{then} \\operatorname{sin} \\left( x \\right) \\mathbf{else} 1 ; \\quad \\text{-{}- note}"},
    // numbers, names, a bold name
    {"s = a2 + 1.5*x1 - Time",
     "<mrow><mi>s</mi><mo>=</mo><mi>a2</mi><mo>+</mo><mn>1.5</mn><mo>\xE2\x8B\x85</mo><mi>x1</mi><mo>\xE2\x88\x92</mo><mi mathvariant=\"bold\">Time</mi></mrow>",
     "s = \\mathit{a2} + 1.5 \\cdot \\mathit{x1} - \\mathbf{Time}"},
    // a bracketed base
    {"v = (x+1)**2",
     "<mrow><mi>v</mi><mo>=</mo><msup><mrow><mrow><mo stretchy=\"true\">(</mo><mrow><mi>x</mi><mo>+</mo><mn>1</mn></mrow><mo stretchy=\"true\">)</mo></mrow></mrow><mrow><mn>2</mn></mrow></msup></mrow>",
     "v = \\left( x + 1 \\right)^{2}"},
    // signs TeX reads as commands
    {"w = a_b{1}%2",
     "<mrow><mi>w</mi><mo>=</mo><mi>a_b</mi><mo>{</mo><mn>1</mn><mo>}</mo><mo>%</mo><mn>2</mn></mrow>",
     "w = \\mathit{a\\_b} \\{ 1 \\} \\% 2"},
};
// clang-format on

std::unique_ptr<CEqExpr> Parse(const TestEditor& ed, const std::string& text) {
    std::unique_ptr<CEqExpr> row(ed.RowOf(text));
    row->Trim();
    row->Compose();
    return row;
}

TEST(FormulaWriter, GoldenMathMLAndLatex) {
    const std::string head = "<math xmlns=\"http://www.w3.org/1998/Math/MathML\">";
    for (const Golden& g : kGolden) {
        TestEditor ed;
        auto row = Parse(ed, g.text);
        EXPECT_EQ(MathMLWriter::Write(*row), head + g.mathml + "</math>") << g.text;
        EXPECT_EQ(LatexWriter::Write(*row), g.latex) << g.text;
    }
}

// Copy puts the private block, the linear text and the MathML together;
// Paste still takes the private block first.
TEST(FormulaWriter, CopyPutsEveryForm) {
    TestEditor ed;
    auto* clipboard = static_cast<CMemoryClipboard*>(ed.wnd->GetClipboard());
    ed.data->AppendRow(Parse(ed, "y = a/b"));
    CEqExpr* row = ed.data->Rows().back();
    ed.data->SetSelection(row, 4, 5);
    ASSERT_TRUE(ed.data->Copy());
    EXPECT_TRUE(clipboard->HasPrivate());
    std::string text;
    ASSERT_TRUE(clipboard->GetText(&text));
    EXPECT_EQ(text, " a / b ");
    EXPECT_EQ(clipboard->GetMathML(), MathMLWriter::Write(*row->CloneSelection()));
    ASSERT_TRUE(ed.data->CopyLatex());
    ASSERT_TRUE(clipboard->GetUnicodeText(&text));
    EXPECT_EQ(text, "\\frac{a}{b}");
    EXPECT_FALSE(clipboard->HasPrivate());
}

} // namespace
