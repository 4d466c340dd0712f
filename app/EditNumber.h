#pragma once
// Reading a number typed into one of the program's edit fields.

class TEdit;

// 0 with `out` set; otherwise a warning box (OK button, exclamation icon) in the
// program's language, the focus in the field with its whole text selected, and 1.
int ReadEditNumber(double& out, TEdit& edit);
