// Mabrek: load flow by the Gauss-Seidel method.
#include "GaussSeidel.h"
#include "Run.h"

#include <iostream>

int main() {
    lf::GaussSeidel method;
    return lf::runSolver(lf::kMabrek, method, std::cin, std::cout);
}
