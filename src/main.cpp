#include <cstdio>

int main() {
    std::puts("Vexlor: the formula engine is built; the editor window is not there yet.");
    return 0;
}
