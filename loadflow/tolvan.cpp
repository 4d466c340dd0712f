// Tolvan: load flow by the full Newton-Raphson method.
#include "NewtonRaphson.h"
#include "Run.h"

#include <iostream>

int main() {
    lf::NewtonRaphson method;
    return lf::runSolver(lf::kTolvan, method, std::cin, std::cout);
}
