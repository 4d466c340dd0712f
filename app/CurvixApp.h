#pragma once
// The program's main routine; main() only calls it. Tests run it with the framework's
// hooks in place.
int RunCurvix(int argc, char** argv);
