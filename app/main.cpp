#include "CurvixApp.h"

int main(int argc, char** argv) {
    return RunCurvix(argc, argv);
}
