// Creates atoms from the class names written into archive images.
#pragma once

#include <string>

class CEqAtom;

class AtomFactory {
  public:
    // Compares the name exactly, with case, against the known atom classes;
    // any other name gives a plain CEqAtom.
    static CEqAtom* Create(const std::string& name);
};
