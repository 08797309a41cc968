// The row record: base record, atom count, then each atom framed by its
// class name.
#include "elements/EqAtom.h"
#include "platform/Archive.h"
#include "rows/AtomFactory.h"
#include "rows/EqExpr.h"

namespace {
// A row in use ends with exactly one end atom; an image without one is
// damage that the editing code must never see.
bool EndsWithEndAtom(const CEqExpr& row) {
    int n = row.GetCount();
    if (n == 0 || !row.GetAt(n - 1)->IsEnd())
        return false;
    for (int i = 0; i + 1 < n; ++i)
        if (row.GetAt(i)->IsEnd())
            return false;
    return true;
}
} // namespace

void CEqExpr::Serialize(CArchive& ar) {
    CEqObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(GetCount());
        for (const auto& atom : m_atoms) {
            ar.WriteString(atom->ClassName());
            atom->Serialize(ar);
        }
        return;
    }
    DeleteAtoms();
    int32_t n = 0;
    ar >> n;
    // Every atom takes at least its name byte and 32-byte base record, so a
    // count the image cannot hold is damage.
    if (n < 0 || static_cast<size_t>(n) > ar.Remaining() / 33) {
        ar.SetFailed();
        return;
    }
    if (!ar.EnterNested()) {
        ar.LeaveNested();
        return;
    }
    m_atoms.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n && !ar.IsFailed(); ++i) {
        CEqAtom* atom = AtomFactory::Create(ar.ReadString());
        m_atoms.push_back(std::unique_ptr<CEqAtom>(atom));
        atom->SetOwner(m_pOwner);
        atom->Serialize(ar);
        atom->SetParent(this);
    }
    ar.LeaveNested();
    if (!EndsWithEndAtom(*this))
        ar.SetFailed();
}
