#include "rows/AtomFactory.h"

#include "atoms/EqBrackets.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"
#include "atoms/EqFraction.h"
#include "atoms/EqIndex.h"
#include "atoms/EqPowIndex.h"
#include "atoms/EqRoot.h"
#include "elements/EqEmpty.h"
#include "elements/EqSymbol.h"

namespace {
template <typename T> CEqAtom* Make() {
    return new T;
}

struct Entry {
    const char* name;
    CEqAtom* (*create)();
};

// The order in which names are compared when loading.
const Entry kEntries[] = {
    {"CEqEmpty", &Make<CEqEmpty>},
    {"CEqDerive", &Make<CEqDerive>},
    {"CEqDerive2", &Make<CEqDerive2>},
    {"CEqSymbol", &Make<CEqSymbol>},
    {"CEqBrackets", &Make<CEqBrackets>},
    {"CEqRoot", &Make<CEqRoot>},
    {"CEqIndex", &Make<CEqIndex>},
    {"CEqPowIndex", &Make<CEqPowIndex>},
    {"CEqFraction", &Make<CEqFraction>},
};
} // namespace

CEqAtom* AtomFactory::Create(const std::string& name) {
    for (const Entry& e : kEntries)
        if (name == e.name)
            return e.create();
    return new CEqAtom;
}
