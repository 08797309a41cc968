#include "rows/AtomFactory.h"

#include "atoms/EqBrackets.h"
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
    {"CEqSymbol", &Make<CEqSymbol>},
    {"CEqBrackets", &Make<CEqBrackets>},
};
} // namespace

CEqAtom* AtomFactory::Create(const std::string& name) {
    for (const Entry& e : kEntries)
        if (name == e.name)
            return e.create();
    return new CEqAtom;
}
