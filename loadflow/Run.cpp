#include "Run.h"

#include "AuxListing.h"
#include "CaseReader.h"
#include "Console.h"
#include "Echo.h"
#include "EditFormat.h"
#include "Histories.h"
#include "Iteration.h"
#include "Network.h"
#include "Report.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

namespace lf {

namespace {
std::string_view trimmedRight(std::string_view s) {
    const std::size_t end = s.find_last_not_of(' ');
    return s.substr(0, end == std::string_view::npos ? 0 : end + 1);
}
} // namespace

int answerLength(const std::string& answer) {
    return charCount(trimmedRight(answer));
}

CaseNames caseNames(const std::string& answer) {
    static const char* const ext[5] = {".FLU", ".SAL", ".VOL", ".AUX", ".ADF"};
    const std::string base(trimmedRight(leftChars(answer, 30)));
    CaseNames names;
    for (int i = 0; i < 5; ++i) {
        names.plain[i] = base + ext[i];
        names.padded[i] = A(names.plain[i], 34);
    }
    return names;
}

namespace {

// A data error: the section's message, then the pause and the end of the run.
struct DataError {
    int indent;
    const char* text;
};

const DataError kBusError{22, "*** ERROR EN DATOS DE BARRAS ***"};
const DataError kLineError{22, "*** ERROR EN DATOS DE LINEAS ***"};
const DataError kTransformerError{22, "*** ERROR EN DATOS DE TRAFOS ***"};

std::string nextRecord(RecordSource& src, const DataError& onEnd) {
    auto r = src.next();
    if (!r) throw onEnd;
    return *r;
}

// Reads records 1 to 4.
void readGeneral(RecordSource& src, Case& c, const ProgramTraits& t) {
    const DataError err{t.generalErrorIndent, "*** ERROR EN LOS DATOS GENERALES ***"};
    c.title1 = column(nextRecord(src, err), 1, 75);
    c.title2 = column(nextRecord(src, err), 1, 75);
    nextRecord(src, err);
    auto g = parseGeneral(nextRecord(src, err));
    if (!g) throw err;
    // Capacity of the case arrays; a case needs at least its slack bus.
    if (g->nBuses < 1 || g->nBuses > kMaxBuses || g->nLines < 0 || g->nTransformers < 0 ||
        g->nLines > kMaxBranches || g->nTransformers > kMaxBranches ||
        g->nLines + g->nTransformers > kMaxBranches)
        throw err;
    if (t.zeroAccelerationIsOne && g->acceleration == 0) g->acceleration = 1.0;
    c.general = *g;
}

// Newton programs: PQ buses, then PV buses, then one slack bus, last.
void checkNewtonOrder(const Case& c) {
    const auto& b = c.buses;
    for (std::size_t i = 1; i < b.size(); ++i)
        if (b[i].type > b[i - 1].type || b[i - 1].type == btSlack) throw kBusError;
}

void readBuses(RecordSource& src, Case& c, const ProgramTraits& t, std::ostream& report) {
    writeBusHeading(report);
    nextRecord(src, kBusError);
    for (int i = 0; i < c.general.nBuses; ++i) {
        auto bus = parseBus(nextRecord(src, kBusError));
        if (!bus) throw kBusError;
        c.buses.push_back(*bus);
        if (t.newtonBusOrder) checkNewtonOrder(c);
        Bus& b = c.buses.back();
        c.totals.pg += b.pg;
        c.totals.qg += b.qg;
        c.totals.pd += b.pd;
        c.totals.qd += b.qd;
        if (b.type == btPV) {
            b.pspec = b.pg - b.pd;
            ++c.totals.nPV;
        } else if (b.type == btPQ) {
            b.pspec = b.pg - b.pd;
            b.qspec = b.qg - b.qd;
            ++c.totals.nPQ;
        }
        writeBusRow(report, b);
        b.va = b.va * kPi / 180;
    }
    if (t.newtonBusOrder &&
        (c.buses.back().type != btSlack || c.totals.nPV + 2 * c.totals.nPQ > kMaxEquations))
        throw kBusError;
}

void resolveBuses(const Case& c, Branch& k, const DataError& err) {
    auto from = findBus(c, k.fromName), to = findBus(c, k.toName);
    if (!from || !to) throw err;
    k.from = *from;
    k.to = *to;
    if (k.r == 0 && k.x == 0) throw err;
}

void readBranches(RecordSource& src, Case& c, Network& net, const ProgramTraits& t,
                  std::ostream& report, std::ostream* aux) {
    writeLineHeading(report);
    nextRecord(src, kLineError);
    for (int i = 0; i < c.general.nLines; ++i) {
        auto line = parseLine(nextRecord(src, kLineError));
        if (!line) throw kLineError;
        resolveBuses(c, *line, kLineError);
        writeLineRow(report, *line);
        c.branches.push_back(*line);
        addBranch(net, c.branches.back());
    }
    writeTransformerHeading(report, t);
    nextRecord(src, kTransformerError);
    for (int i = 0; i < c.general.nTransformers; ++i) {
        auto tr = parseTransformer(nextRecord(src, kTransformerError));
        if (!tr) throw kTransformerError;
        resolveBuses(c, *tr, kTransformerError);
        if (tr->vi == 0 || tr->vf == 0) throw kTransformerError;
        writeTransformerRow(report, *tr);
        c.branches.push_back(*tr);
        addBranch(net, c.branches.back());
        if (aux) writePiDrawing(*aux, t, i + 1, c.branches.back(), net.branches.back());
    }
    writeTransformerClosing(report);
}

constexpr int kOutputs[] = {cfSal, cfVol, cfAux, cfAdf};

struct Refusal {
    int file;
    std::string reason;
};

// Opens the four outputs for appending, which creates a missing file but empties
// none, and keeps them open. Only when every one is open are they emptied; otherwise
// the refusals come back with their reasons and the files created here are removed,
// so a run that cannot write one of them keeps the previous results.
template <typename PathOf>
std::vector<Refusal> openOutputs(const PathOf& path, std::ofstream (&files)[5]) {
    std::vector<Refusal> refused;
    std::vector<int> created;
    for (int f : kOutputs) {
        std::error_code ec;
        const bool existed = std::filesystem::exists(std::filesystem::symlink_status(path(f), ec));
        files[f].open(path(f), std::ios::binary | std::ios::app);
        if (!files[f].is_open())
            refused.push_back({f, std::strerror(errno)});
        else if (!existed)
            created.push_back(f);
    }
    if (!refused.empty()) {
        for (int f : kOutputs)
            files[f].close();
        for (int f : created) {
            std::error_code ec;
            std::filesystem::remove(path(f), ec);
        }
        return refused;
    }
    for (int f : kOutputs) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(path(f), ec))
            std::filesystem::resize_file(path(f), 0, ec);
        if (ec) refused.push_back({f, ec.message()});
    }
    return refused;
}

void endMessage(std::ostream& out, int print, const CaseNames& names) {
    if (print == 0) {
        out << '\n'
            << X(2) << "LOS RESULTADOS SE HAN ESCRITO EN EL ... " << names.padded[cfSal] << '\n';
    } else if (print == 1) {
        out << '\n'
            << X(9) << "**** LOS RESULTADOS SE HAN ESCRITO EN LOS"
            << " ARCHIVOS ****\n";
        for (int f : {cfSal, cfAux, cfAdf, cfVol})
            out << X(15) << names.padded[f] << '\n';
    }
}

} // namespace

int runSolver(const ProgramTraits& t, IterationMethod& method, std::istream& in, std::ostream& out,
              const std::filesystem::path& directory) {
    Console console(in, out);
    writeBanner(out, t);
    out << '\n' << X(14) << " INTRODUZCA NOMBRE ARCHIVO FUENTE [.FLU]: ";
    const std::string answer = console.readAnswer();
    if (answerLength(answer) > 30) {
        out << " ERROR: EL NOMBRE DEL ARCHIVO FUENTE\n SUPERA LOS  30 CARACTERES ADMITIDOS\n";
        return exitError;
    }
    const CaseNames names = caseNames(answer);
    auto path = [&](int f) { return directory / names.plain[f]; };

    std::error_code ec;
    std::ifstream flu;
    if (!std::filesystem::is_directory(path(cfFlu), ec)) flu.open(path(cfFlu), std::ios::binary);
    if (!flu.is_open()) {
        out << "\n\n" << X(19) << "*** EL ARCHIVO DE DATOS NO EXISTE ***\n";
        console.pause(t);
        return exitError;
    }
    std::ofstream files[5];
    const std::vector<Refusal> refused = openOutputs(path, files);
    if (!refused.empty()) {
        out << '\n' << '\n';
        for (const Refusal& r : refused)
            out << X(10) << "*** NO SE PUEDE CREAR EL ARCHIVO " << names.plain[r.file] << " ("
                << r.reason << ") ***\n";
        console.pause(t);
        return exitError;
    }
    console.flushAtPauses({&files[cfSal], &files[cfVol], &files[cfAux], &files[cfAdf]});
    std::ostream& report = files[cfSal];
    std::ostream& aux = files[cfAux];
    RunFiles runFiles{report, files[cfVol], aux, files[cfAdf]};

    Case c;
    Network net;
    RecordSource src(flu);
    IterationResult result;
    try {
        readGeneral(src, c, t);
        const int print = c.general.printOption;
        const std::string title = historyTitle(t, names.padded[cfFlu]);
        if (printEnabled(t.adfHeader, print)) {
            runFiles.adf << title << '\n';
            writeAdfNames(runFiles.adf);
        }
        if (printEnabled(t.volTitle, print)) runFiles.vol << title << '\n';
        if (printEnabled(t.volNames, print)) writeVolNames(runFiles.vol, c.general.nBuses);

        writeBanner(report, t);
        writeTitles(out, report, c);
        writeGeneralTable(out, t, c.general, names.padded[cfFlu], names.padded[cfSal]);
        writeGeneralTable(report, t, c.general, names.padded[cfFlu], names.padded[cfSal]);
        console.pause(t);
        std::ostream* listings = print == 1 ? &aux : nullptr;
        if (listings) method.writeJacobianDrawing(aux);

        readBuses(src, c, t, report);
        net = emptyNetwork(c.general.nBuses);
        readBranches(src, c, net, t, report, listings);
        completeNetwork(net, c.buses);
        if (t.busNeedsAdmittance)
            for (const Admittance& y : net.own)
                if (y.g == 0 && y.b == 0) throw kBusError;
        if (listings) writeAdmittanceListing(aux, c, net);

        SolveState state = startState(c);
        SolveContext ctx{c, net, state, listings};
        result = iterate(t, method, ctx, console, runFiles);
        writeResults(report, t, c, net, state);
    } catch (const DataError& e) {
        out << "\n\n" << X(e.indent) << e.text << '\n';
        console.pause(t);
        return exitError;
    }
    // Every file is complete on disk before the end message: a run stopped at
    // the last pause keeps its results, and no success message follows a
    // failed write.
    console.flushAtPauses({});
    std::vector<int> failed;
    for (int f : kOutputs) {
        files[f].close();
        if (!files[f]) failed.push_back(f);
    }
    if (!failed.empty()) {
        out << '\n' << '\n';
        for (int f : failed)
            out << X(10) << "*** ERROR AL ESCRIBIR EL ARCHIVO " << names.plain[f] << " ***\n";
        console.pause(t);
        return exitError;
    }
    endMessage(out, c.general.printOption, names);
    console.pause(t);
    return result.converged ? exitConverged : exitNotConverged;
}

} // namespace lf
