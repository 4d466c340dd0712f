#include "Iteration.h"

#include "EditFormat.h"
#include "Histories.h"

#include <ctime>

namespace lf {

namespace {

double processorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void tableHeader(std::ostream& o, const ProgramTraits& t) {
    o << "\n\n"
      << X(t.tableHeaderIndent) << "COMIENZA EL PROCESO DE CALCULO ITERATIVO DE LAS"
      << " TENSIONES NODALES\n\n";
    o << X(8) << "iteracion" << X(7) << "Max/DP/  &  BARRA" << X(8) << "Max/DQ/  &  BARRA\n";
}

void tableRow(std::ostream& o, long long k, double p, double q, const LargestMismatch& m,
              const Case& c) {
    auto name = [&](int bus) {
        return bus < 0 ? X(10) : A(c.buses[static_cast<std::size_t>(bus)].name, 10);
    };
    o << X(11) << I(k, 3) << X(7) << F(p, 10, 6) << X(4) << name(m.busP) << ' ' << F(q, 10, 6)
      << X(4) << name(m.busQ) << '\n';
}

void summary(std::ostream& o, long long k, const LargestMismatch& m, double seconds) {
    o << '\n';
    o << X(7) << "EL CALCULO ITERATIVO HA FINALIZADO LUEGO DE  " << I(k, 4) << "  ITERACIONES\n";
    o << X(7) << "CON UNA MAXIMA DISCREPANCIA DE POTENCIA ACTIVA DE " << F(m.maxP, 9, 7) << " PU\n";
    o << X(7) << "CON UNA MAXIMA DISCREPANCIA DE POTENCIA REACTIVA DE" << F(m.maxQ, 8, 6)
      << " PU\n";
    o << X(7) << "HABIENDO EMPLEADO UN TIEMPO DE = " << F(seconds, 15, 12) << " SEGUNDOS.\n";
}

} // namespace

IterationResult iterate(const ProgramTraits& t, IterationMethod& method, SolveContext& ctx,
                        Console& console, RunFiles& files) {
    const GeneralData& g = ctx.kase.general;
    const int print = g.printOption;
    SolveState& s = ctx.state;
    if (print == 1) {
        tableHeader(files.report, t);
        tableHeader(console.out(), t);
    }
    method.prepare(ctx);
    const double start = processorSeconds();

    IterationResult result;
    long long& k = result.corrections;
    for (;;) {
        if (print == 1) writeVolRow(files.vol, static_cast<int>(k), s);
        method.computeMismatches(ctx);
        const LargestMismatch m = largestMismatches(ctx.kase, s);
        result.last = m;
        if (printEnabled(t.tableRows, print)) {
            double dp = m.busP < 0 ? 0.0 : s.dp[static_cast<std::size_t>(m.busP)];
            double dq = m.busQ < 0 ? 0.0 : s.dq[static_cast<std::size_t>(m.busQ)];
            writeAdfRow(files.adf, static_cast<int>(k), dp, dq, g.tolerance);
            const double p = t.signedTableMismatches ? dp : m.maxP;
            const double q = t.signedTableMismatches ? dq : m.maxQ;
            tableRow(files.report, k, p, q, m, ctx.kase);
            tableRow(console.out(), k, p, q, m, ctx.kase);
        }
        if (meetsTolerance(m, g.tolerance)) {
            double elapsed = processorSeconds() - start;
            if (!t.doublePrecisionTime) elapsed = static_cast<float>(elapsed);
            summary(console.out(), k, m, elapsed);
            summary(files.report, k, m, elapsed);
            if (t.pauseAfterSummary) console.pause(t);
            result.converged = true;
            return result;
        }
        ++k;
        if (k > g.maxIterations) {
            for (std::ostream* o : {&console.out(), &files.report})
                *o << "\n\n" << X(25) << " ** No hubo convergencia **\n";
            console.pause(t);
            return result;
        }
        method.correct(ctx, static_cast<int>(k));
    }
}

} // namespace lf
