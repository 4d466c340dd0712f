#include "Console.h"

#include "EditFormat.h"

namespace lf {

std::string Console::readAnswer() {
    out_.flush();
    std::string line;
    if (!std::getline(in_, line)) return {};
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 80) line.resize(80);
    return line;
}

void Console::pause(const ProgramTraits& traits) {
    ++pauses_;
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
