// Tolvid: load flow by the truly decoupled Newton-Raphson method.
#include "Run.h"
#include "TrulyDecoupled.h"

#include <iostream>

int main() {
    lf::TrulyDecoupled method;
    return lf::runSolver(lf::kTolvid, method, std::cin, std::cout);
}
