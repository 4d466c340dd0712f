#include "Console.h"

#include "EditFormat.h"

namespace lf {

std::string Console::readAnswer() {
    out_.flush();
    std::string line;
    if (!std::getline(in_, line)) return {};
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return std::string(leftChars(line, 80));
}

void Console::pause(const ProgramTraits& traits) {
    ++pauses_;
    for (std::ostream* f : files_)
        f->flush();
    out_ << '\n' << X(18) << "PRESIONE CUALQUIER TECLA PARA PROSEGUIR";
    if (traits.pauseStaysOnLine)
        out_ << ' ';
    else
        out_ << '\n';
    out_.flush();
    std::string ignored;
    std::getline(in_, ignored);
}

} // namespace lf
