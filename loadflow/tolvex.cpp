// Tolvex: load flow by the fast decoupled Newton-Raphson method.
#include "FastDecoupled.h"
#include "Run.h"

#include <iostream>

int main() {
    lf::FastDecoupled method;
    return lf::runSolver(lf::kTolvex, method, std::cin, std::cout);
}
