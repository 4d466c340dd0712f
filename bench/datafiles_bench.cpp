// Load speed and memory of the data-file readers on large generated files.
//
//   datafiles_bench [folder] [megabytes]
//
// For each format it writes a file of about the given size (default 200 MB),
// then loads it in a fresh child process and prints MB/s, the ratio of the
// load time to a raw read of the same file from the page cache (into a reused
// block, and into a fresh block allocated like the matrix), and the peak
// resident memory against the size of the loaded matrix. Goals: binary formats
// within 2x of the fresh raw read, ADF at 300 MB/s or more, peak memory no more
// than the matrix plus 64 MB.

#include "SimOut.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

std::int64_t fileBytes(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_size : 0;
}

// Reads the whole file raw from the page cache, best of a few passes: into
// one reused block (the bare copy), or into a fresh buffer of the file's
// size, which pays the same first-touch cost a loader's matrix pays.
double rawReadSeconds(const std::string& path, bool freshBuffer) {
    const auto size = static_cast<std::size_t>(fileBytes(path));
    double best = 1e9;
    for (int pass = 0; pass < 3; ++pass) {
        auto t0 = Clock::now();
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return 0;
        if (freshBuffer) {
            // Allocated like a loaded matrix, so both get the same page treatment.
            FMatrix all(1, static_cast<long>(size / sizeof(float) + 1));
            auto* bytes = reinterpret_cast<char*>(all[0]);
            const std::size_t n = std::fread(bytes, 1, size, f);
            volatile char sink = n ? bytes[n - 1] : 0;
            (void)sink;
        } else {
            std::vector<char> buf(8 << 20);
            volatile char sink = 0;
            while (std::size_t n = std::fread(buf.data(), 1, buf.size(), f)) sink = sink + buf[n - 1];
        }
        std::fclose(f);
        if (pass > 0) best = std::min(best, secondsSince(t0));
    }
    return best;
}

// A record of nVars variables (time first) with a sine on each.
SimOut makeRecord(int nVars, int nPoints, bool pl4Names) {
    SimOut s;
    s.nVars = nVars;
    s.nPoints = nPoints;
    s.data = FMatrix(nVars, nPoints);
    s.names.push_back("t");
    for (int i = 1; i < nVars; ++i) {
        char name[32];
        if (pl4Names) std::snprintf(name, sizeof name, "v:N%-5d      ", i);
        else std::snprintf(name, sizeof name, "v%d", i);
        s.names.emplace_back(name);
    }
    for (int j = 0; j < nPoints; ++j) s.data[0][j] = static_cast<float>(j * 1e-6);
    for (int i = 1; i < nVars; ++i)
        for (int j = 0; j < nPoints; ++j)
            s.data[i][j] = static_cast<float>(100.0 * std::sin(0.001 * j + i));
    s.fileKind = pl4Names ? fkPl4 : fkAdf;
    s.pl4TimeRun = pl4Names;
    s.pl4Date = "08-Dec-26";
    s.pl4Time = "12.00.00";
    return s;
}

std::vector<int> allIndices(int n) {
    std::vector<int> v(n);
    for (int i = 0; i < n; ++i) v[i] = i;
    return v;
}

bool writeComtradeBinary(const std::string& base, int nAnalog, int nPoints) {
    std::FILE* cfg = std::fopen((base + ".cfg").c_str(), "w");
    if (!cfg) return false;
    std::fprintf(cfg, "Bench,Gen,1999\n%d,%dA,0D\n", nAnalog, nAnalog);
    for (int i = 1; i <= nAnalog; ++i)
        std::fprintf(cfg, "%d,Ch%d,A,Bus,kV,0.01,0,0,-32767,32767,1,1,P\n", i, i);
    std::fprintf(cfg, "50\n1\n10000,%d\n01/01/2026,00:00:00.000\n01/01/2026,00:00:00.000\n"
                      "BINARY\n1\n", nPoints);
    std::fclose(cfg);
    std::FILE* dat = std::fopen((base + ".dat").c_str(), "wb");
    if (!dat) return false;
    std::vector<char> row(8 + 2 * nAnalog);
    for (int j = 0; j < nPoints; ++j) {
        const std::uint32_t n = j + 1, ts = static_cast<std::uint32_t>(j) * 100;
        std::memcpy(row.data(), &n, 4);
        std::memcpy(row.data() + 4, &ts, 4);
        for (int i = 0; i < nAnalog; ++i) {
            const auto v = static_cast<std::int16_t>(30000 * std::sin(0.001 * j + i));
            std::memcpy(row.data() + 8 + 2 * i, &v, 2);
        }
        std::fwrite(row.data(), 1, row.size(), dat);
    }
    return std::fclose(dat) == 0;
}

struct Format {
    const char* name;
    std::string file;
    std::int64_t matrixBytes;
};

// Child: load one file, report seconds and peak RSS through a pipe.
int loadInChild(const Format& f, double& seconds, long& peakKb) {
    int fds[2];
    if (::pipe(fds) != 0) return 1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        SimOut s;
        auto t0 = Clock::now();
        std::string reason;
        const std::string n = f.name;
        if (n == "PL4") reason = s.LoadFromPl4File(f.file);
        else if (n == "COMTRADE") reason = s.LoadFromComtradeFile(f.file);
        else if (n == "ADF") reason = s.LoadFromAdfFile(f.file);
        else reason = s.LoadFromMatFile(f.file);
        const double sec = secondsSince(t0);
        struct rusage ru {};
        ::getrusage(RUSAGE_SELF, &ru);
        char msg[512];
        std::snprintf(msg, sizeof msg, "%.6f %ld %d %d %s", sec, ru.ru_maxrss, s.nVars, s.nPoints,
                      reason.c_str());
        (void)!::write(fds[1], msg, std::strlen(msg));
        ::_exit(reason.empty() ? 0 : 2);
    }
    ::close(fds[1]);
    char buf[512] = {};
    (void)!::read(fds[0], buf, sizeof buf - 1);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    int vars = 0, points = 0;
    char reason[400] = {};
    std::sscanf(buf, "%lf %ld %d %d %399[^\n]", &seconds, &peakKb, &vars, &points, reason);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::printf("%-9s load failed: %s\n", f.name, reason);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp/curvix-bench";
    const double mb = argc > 2 ? std::atof(argv[2]) : 200.0;
    std::system(("mkdir -p '" + dir + "'").c_str());
    const int vars = 11; // time and ten signals
    const int binPoints = static_cast<int>(mb * 1e6 / (4.0 * vars));
    std::vector<Format> formats;

    {
        SimOut s = makeRecord(vars, binPoints, true);
        auto idx = allIndices(vars);
        Format f{"PL4", dir + "/bench.pl4", std::int64_t(vars) * binPoints * 4};
        if (auto r = s.SaveToPl4File(f.file, vars, idx.data()); !r.empty())
            std::printf("PL4 write failed: %s\n", r.c_str());
        formats.push_back(f);
        Format m{"MAT", dir + "/bench.mat", f.matrixBytes};
        if (auto r = s.SaveToMatFile(m.file, vars, idx.data()); !r.empty())
            std::printf("MAT write failed: %s\n", r.c_str());
        formats.push_back(m);
    }
    {
        const int analog = 10, points = static_cast<int>(mb * 1e6 / (8 + 2 * analog));
        Format f{"COMTRADE", dir + "/bench.cfg", std::int64_t(analog + 1) * points * 4};
        if (!writeComtradeBinary(dir + "/bench", analog, points)) std::printf("COMTRADE write failed\n");
        formats.push_back(f);
    }
    {
        // About 10 characters a value in text.
        const int points = static_cast<int>(mb * 1e6 / (10.0 * vars));
        SimOut s = makeRecord(vars, points, false);
        auto idx = allIndices(vars);
        Format f{"ADF", dir + "/bench.adf", std::int64_t(vars) * points * 4};
        if (auto r = s.SaveToAdfFile(f.file, "bench", vars, idx.data()); !r.empty())
            std::printf("ADF write failed: %s\n", r.c_str());
        formats.push_back(f);
    }

    std::printf("%-9s %8s %9s %10s %10s %10s %12s %9s\n", "format", "file MB", "MB/s",
                "raw MB/s", "load/raw", "load/fresh", "peak/matrix", "extra MB");
    for (const auto& f : formats) {
        // A COMTRADE set's samples are in its DAT file.
        const bool comtrade = f.name == std::string("COMTRADE");
        const std::string sampleFile = comtrade ? dir + "/bench.dat" : f.file;
        const double size = static_cast<double>(fileBytes(sampleFile));
        const double raw = rawReadSeconds(sampleFile, false);
        const double fresh = rawReadSeconds(sampleFile, true);
        // Best time of three loads; memory is the same each time.
        double sec = 1e9;
        long peakKb = 0;
        bool failed = false;
        for (int run = 0; run < 3 && !failed; ++run) {
            double s1 = 0;
            failed = loadInChild(f, s1, peakKb) != 0;
            sec = std::min(sec, s1);
        }
        if (failed) continue;
        const double peak = peakKb * 1024.0;
        std::printf("%-9s %8.1f %9.1f %10.1f %10.2f %10.2f %12.3f %9.1f\n", f.name, size / 1e6,
                    size / 1e6 / sec, size / 1e6 / raw, sec / raw, sec / fresh,
                    peak / f.matrixBytes, (peak - f.matrixBytes) / 1e6);
    }
    return 0;
}
