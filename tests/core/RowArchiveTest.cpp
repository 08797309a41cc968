// The row image: base record, atom count and atoms framed by class names.
// Loading must take back everything storing wrote, and must reject damaged
// images without crashing or handing out a row that breaks the invariants.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "elements/EqAtom.h"
#include "elements/EqEmpty.h"
#include "platform/Archive.h"
#include "rows/EqExpr.h"
#include "rows/TreeDump.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Store(CEqExpr& row) {
    CArchive ar;
    row.Serialize(ar);
    return ar.TakeBuffer();
}

// Loads a row owned by the editor's data; *failed tells whether the archive
// rejected the image.
std::unique_ptr<CEqExpr> Load(const TestEditor& ed, const Bytes& image, bool* failed) {
    auto row = std::make_unique<CEqExpr>(ed.data.get());
    CArchive ar(image);
    row->Serialize(ar);
    *failed = ar.IsFailed();
    return row;
}

std::unique_ptr<CEqExpr> Composed(const TestEditor& ed, const std::string& text) {
    std::unique_ptr<CEqExpr> row(ed.RowOf(text));
    row->Compose();
    ed.Layout(row.get());
    return row;
}

// Reads an image field by field, as the format describes it.
class ImageReader {
  public:
    explicit ImageReader(const Bytes& b) : m_bytes(b) {}
    int32_t Int() {
        int32_t v = 0;
        if (m_pos + 4 <= m_bytes.size())
            std::memcpy(&v, m_bytes.data() + m_pos, 4); // the test host is little-endian
        m_pos += 4;
        return v;
    }
    std::string Name() {
        size_t n = m_pos < m_bytes.size() ? m_bytes[m_pos] : 0;
        ++m_pos;
        std::string s;
        for (size_t k = 0; k < n && m_pos < m_bytes.size(); ++k)
            s += static_cast<char>(m_bytes[m_pos++]);
        return s;
    }
    uint8_t Byte() { return m_pos < m_bytes.size() ? m_bytes[m_pos++] : 0; }
    void SkipBase() { m_pos += 32; }
    size_t Pos() const { return m_pos; }

  private:
    const Bytes& m_bytes;
    size_t m_pos = 0;
};

// Builds images by hand.
class ImageWriter {
  public:
    ImageWriter& Base() {
        for (int k = 0; k < 8; ++k)
            m_ar << int32_t{k == 0 ? 2 : 0};
        return *this;
    }
    ImageWriter& Int(int32_t v) {
        m_ar << v;
        return *this;
    }
    ImageWriter& Name(const std::string& s) {
        m_ar.WriteString(s);
        return *this;
    }
    ImageWriter& Byte(uint8_t b) {
        m_ar << b;
        return *this;
    }
    // An atom entry that stores nothing beyond its base record.
    ImageWriter& Leaf(const std::string& name) { return Name(name).Base(); }
    Bytes Take() { return m_ar.TakeBuffer(); }

  private:
    CArchive m_ar;
};

// The inputs of the composing table: a tree of every kind.
const char* const kTrees[] = {
    "(a+b)",
    "()",
    "((a))",
    "x[i+1]",
    "x [i]",
    "[1]",
    "and[1]",
    "f(x)[1]",
    "exp(x+1)",
    "EXP( 2 )",
    "myexp(x)",
    "pow(x, 2)",
    "pow(x[i], 2)",
    "pow(x)",
    "sqrt(2)",
    "sqrt()",
    "x**2",
    "x[i]**2",
    "(a+b)**2",
    "a/b",
    "a/",
    "/b",
    "d(x)/dt",
    "d2(x)/dt",
    "d x/d tau",
    "dx/dt",
    "d(x)/dtau",
    "a**2/b",
    "a/b**2",
    "a ** b ** c",
    "a/b/c",
    "2*a/b",
    "-x/2",
    "sin(x)/2",
    "x and y/2",
    "a/not b",
    "\xD1\xEA\xEE\xF0\xEE\xF1\xF2\xFC = \xCF\xF3\xF2\xFC/\xC2\xF0\xE5\xEC\xFF",
};

// ---------------------------------------------------------------------------

TEST(RowImage, EmptyRowTakes77Bytes) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> row(ed.NewRow());
    ed.Layout(row.get());
    Bytes image = Store(*row);
    ASSERT_EQ(image.size(), 77u);
    ImageReader r(image);
    r.SkipBase();
    EXPECT_EQ(r.Int(), 1);
    EXPECT_EQ(r.Name(), "CEqEmpty");
    EXPECT_EQ(r.Int(), 11); // the placeholder is one M box wide
    bool failed = true;
    auto back = Load(ed, image, &failed);
    ASSERT_FALSE(failed);
    EXPECT_EQ(CheckTree(*back, ed.data.get()), "");
    ASSERT_EQ(back->GetCount(), 1);
    EXPECT_FALSE(static_cast<CEqEmpty*>(back->GetEnd())->IsCollapsed());
}

TEST(RowImage, RowHoldingXTakes120Bytes) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> row(ed.RowOf("x"));
    ed.Layout(row.get());
    Bytes image = Store(*row);
    ASSERT_EQ(image.size(), 120u);
    ImageReader r(image);
    r.SkipBase();
    EXPECT_EQ(r.Int(), 2);
    EXPECT_EQ(r.Name(), "CEqSymbol");
    r.SkipBase();
    EXPECT_EQ(r.Byte(), 'x');
    EXPECT_EQ(r.Name(), "CEqEmpty");
    EXPECT_EQ(r.Int(), 2); // collapsed
    bool failed = true;
    auto back = Load(ed, image, &failed);
    ASSERT_FALSE(failed);
    EXPECT_EQ(back->ToText(false), "x");
    EXPECT_TRUE(static_cast<CEqEmpty*>(back->GetEnd())->IsCollapsed());
}

TEST(RowImage, FractionWithEmptyDenominatorLayout) {
    TestEditor ed;
    auto row = Composed(ed, "a/");
    Bytes image = Store(*row);
    ImageReader r(image);
    r.SkipBase();
    EXPECT_EQ(r.Int(), 2);
    EXPECT_EQ(r.Name(), "CEqFraction");
    r.SkipBase();
    // Numerator row: "a" and its end atom.
    r.SkipBase();
    EXPECT_EQ(r.Int(), 2);
    EXPECT_EQ(r.Name(), "CEqSymbol");
    r.SkipBase();
    EXPECT_EQ(r.Byte(), 'a');
    EXPECT_EQ(r.Name(), "CEqEmpty");
    r.SkipBase();
    // Denominator row: only its end atom.
    r.SkipBase();
    EXPECT_EQ(r.Int(), 1);
    EXPECT_EQ(r.Name(), "CEqEmpty");
    r.SkipBase();
    // The outer row's end atom.
    EXPECT_EQ(r.Name(), "CEqEmpty");
    r.SkipBase();
    EXPECT_EQ(r.Pos(), image.size());
}

TEST(RowImage, IndexKindIsAFourByteIntegerBeforeTheRows) {
    for (const auto& [text, kind] : {std::pair{"x[i]", 0}, std::pair{"x**2", 1}}) {
        TestEditor ed;
        auto row = Composed(ed, text);
        Bytes image = Store(*row);
        ImageReader r(image);
        r.SkipBase();
        EXPECT_EQ(r.Int(), 2);
        EXPECT_EQ(r.Name(), "CEqIndex");
        r.SkipBase();
        size_t kindAt = r.Pos();
        EXPECT_EQ(r.Int(), kind) << text;
        r.SkipBase(); // the base row's record follows at once
        EXPECT_EQ(r.Int(), 2) << text;
        EXPECT_EQ(r.Name(), "CEqSymbol") << text;

        // Any other kind is damage.
        Bytes damaged = image;
        damaged[kindAt] = 2;
        bool failed = false;
        Load(ed, damaged, &failed);
        EXPECT_TRUE(failed) << text;
    }
}

TEST(RowImage, MultiplicationSignIsStoredAsMiddleDot) {
    TestEditor ed;
    auto row = Composed(ed, "a*b");
    Bytes image = Store(*row);
    ImageReader r(image);
    r.SkipBase();
    r.Int();
    r.Name();
    r.SkipBase();
    r.Byte();
    EXPECT_EQ(r.Name(), "CEqSymbol");
    r.SkipBase();
    EXPECT_EQ(r.Byte(), 0xB7);
    bool failed = true;
    auto back = Load(ed, image, &failed);
    ASSERT_FALSE(failed);
    EXPECT_EQ(back->ToText(false), "a*b");
}

TEST(RowImage, EveryTreeStoresLoadsAndStoresTheSameBytes) {
    for (const char* text : kTrees) {
        TestEditor ed;
        auto row = Composed(ed, text);
        Bytes image = Store(*row);
        bool failed = true;
        auto back = Load(ed, image, &failed);
        ASSERT_FALSE(failed) << text;
        EXPECT_EQ(CheckTree(*back, ed.data.get()), "") << text;
        EXPECT_EQ(TreeDump::Dump(*back), TreeDump::Dump(*row)) << text;
        EXPECT_EQ(Store(*back), image) << text;
        EXPECT_EQ(back->ToText(false), row->ToText(false)) << text;
    }
}

// ---------------------------------------------------------------------------
// Damaged images.

TEST(RowImageDamage, EveryTruncationFails) {
    TestEditor ed;
    auto row = Composed(ed, "y = d(x[i])/dt + sqrt(a/b)**2 - exp(c) + pow(z[k], n)");
    Bytes image = Store(*row);
    for (size_t n = 0; n < image.size(); ++n) {
        Bytes cut(image.begin(), image.begin() + static_cast<ptrdiff_t>(n));
        bool failed = false;
        Load(ed, cut, &failed);
        EXPECT_TRUE(failed) << n;
    }
}

TEST(RowImageDamage, RandomByteFlipsNeverCrash) {
    TestEditor ed;
    auto row = Composed(ed, "v = d2(x[i])/dt - sqrt(a/b)**2 + exp(c) * y[k]**n");
    const Bytes image = Store(*row);
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<size_t> at(0, image.size() - 1);
    std::uniform_int_distribution<int> mask(1, 255);
    int accepted = 0;
    for (int round = 0; round < 2000; ++round) {
        Bytes damaged = image;
        for (int k = 1 + round % 3; k > 0; --k)
            damaged[at(rng)] ^= static_cast<uint8_t>(mask(rng));
        bool failed = true;
        auto back = Load(ed, damaged, &failed);
        if (failed)
            continue;
        // An accepted image is a sound tree that every operation can use.
        ++accepted;
        ASSERT_EQ(CheckTree(*back, ed.data.get()), "") << round;
        ed.Layout(back.get());
        std::unique_ptr<CEqExpr> copy = back->Clone();
        copy->Compose();
        ASSERT_EQ(CheckTree(*copy, ed.data.get()), "") << round;
        copy->ToText(false);
        bool again = true;
        Load(ed, Store(*back), &again);
        EXPECT_FALSE(again) << round;
    }
    // Flips inside geometry or characters leave loadable images.
    EXPECT_GT(accepted, 0);
}

TEST(RowImageDamage, RowsWithoutTheirEndAtomLastAreRejected) {
    struct Case {
        const char* why;
        Bytes image;
    };
    std::vector<Case> cases;
    cases.push_back({"no atoms", ImageWriter().Base().Int(0).Take()});
    cases.push_back(
        {"end atom first",
         ImageWriter().Base().Int(2).Leaf("CEqEmpty").Leaf("CEqSymbol").Byte('x').Take()});
    cases.push_back(
        {"last is a symbol", ImageWriter().Base().Int(1).Leaf("CEqSymbol").Byte('x').Take()});
    cases.push_back({"last is unknown", ImageWriter().Base().Int(1).Leaf("CEqFoo").Take()});
    cases.push_back(
        {"two end atoms", ImageWriter().Base().Int(2).Leaf("CEqEmpty").Leaf("CEqEmpty").Take()});
    // A bracket atom whose inner row has no atoms.
    cases.push_back(
        {"empty inner row",
         ImageWriter().Base().Int(2).Leaf("CEqBrackets").Base().Int(0).Leaf("CEqEmpty").Take()});
    cases.push_back({"negative count", ImageWriter().Base().Int(-1).Leaf("CEqEmpty").Take()});
    TestEditor ed;
    for (const Case& c : cases) {
        bool failed = false;
        Load(ed, c.image, &failed);
        EXPECT_TRUE(failed) << c.why;
    }
    // The well-formed neighbour of those images loads.
    bool failed = true;
    auto row =
        Load(ed, ImageWriter().Base().Int(2).Leaf("CEqSymbol").Byte('x').Leaf("CEqEmpty").Take(),
             &failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(TreeDump::Dump(*row), "x");
}

TEST(RowImageDamage, UnknownClassNameGivesAPlainAtom) {
    TestEditor ed;
    bool failed = true;
    auto row =
        Load(ed, ImageWriter().Base().Int(2).Leaf("CEqFoo").Leaf("CEqEmpty").Take(), &failed);
    ASSERT_FALSE(failed);
    EXPECT_EQ(CheckTree(*row, ed.data.get()), "");
    EXPECT_TRUE(row->GetAt(0)->IsClass("CEqAtom"));
    EXPECT_EQ(TreeDump::Dump(*row), "A()");
    EXPECT_EQ(row->ToText(false), "");
    // Names are compared with case.
    auto lower =
        Load(ed, ImageWriter().Base().Int(2).Leaf("ceqempty").Leaf("CEqEmpty").Take(), &failed);
    ASSERT_FALSE(failed);
    EXPECT_TRUE(lower->GetAt(0)->IsClass("CEqAtom"));
}

TEST(RowImageDamage, UnknownNameOfALongerRecordReadsOutOfStepAndFails) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> row(ed.RowOf("x"));
    Bytes image = Store(*row);
    // "CEqSymbol" -> "CEqSymbox": the symbol's byte is then read as the next name's length.
    image[36 + 9] = 'x';
    bool failed = false;
    Load(ed, image, &failed);
    EXPECT_TRUE(failed);
}

TEST(RowImageDamage, NestingDeeperThanTheLimitFails) {
    for (int levels : {CArchive::kMaxDepth - 1, CArchive::kMaxDepth, 1000}) {
        TestEditor ed;
        std::unique_ptr<CEqExpr> top(ed.NewRow());
        CEqExpr* row = top.get();
        for (int k = 0; k < levels; ++k) {
            auto* brackets = new CEqBrackets;
            brackets->m_pOwner = ed.data.get();
            CEqExpr* inner = ed.NewRow();
            brackets->SetRow(inner);
            row->Append(brackets);
            row = inner;
        }
        bool failed = false;
        auto back = Load(ed, Store(*top), &failed);
        // The top row and `levels` rows below it.
        EXPECT_EQ(failed, levels + 1 > CArchive::kMaxDepth) << levels;
    }
}

} // namespace
