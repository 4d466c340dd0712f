#pragma once
// The solver's console: answers and pauses read one line each from `in`; the
// end of the input counts as an answer, so a piped run never waits.

#include "ProgramTraits.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace lf {

class Console {
public:
    Console(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    std::ostream& out() { return out_; }
    // One line of answer (empty at the end of the input), cut to 80 characters.
    std::string readAnswer();
    // "PRESIONE CUALQUIER TECLA PARA PROSEGUIR" and one line read. The files
    // are flushed first, so a run stopped at a pause leaves them as written.
    void pause(const ProgramTraits& traits);
    void flushAtPauses(std::vector<std::ostream*> files) { files_ = std::move(files); }
    // Number of pauses so far.
    int pauses() const { return pauses_; }

private:
    std::istream& in_;
    std::ostream& out_;
    int pauses_ = 0;
    std::vector<std::ostream*> files_;
};

} // namespace lf
