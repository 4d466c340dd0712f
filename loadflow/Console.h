#pragma once
// The solver's console: answers and pauses read one line each from `in`; the
// end of the input counts as an answer, so a piped run never waits.

#include "ProgramTraits.h"

#include <istream>
#include <ostream>
#include <string>

namespace lf {

class Console {
public:
    Console(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    std::ostream& out() { return out_; }
    // One line of answer (empty at the end of the input), cut to 80 characters.
    std::string readAnswer();
    // "PRESIONE CUALQUIER TECLA PARA PROSEGUIR" and one line read.
    void pause(const ProgramTraits& traits);
    // Number of pauses so far.
    int pauses() const { return pauses_; }

private:
    std::istream& in_;
    std::ostream& out_;
    int pauses_ = 0;
};

} // namespace lf
