// numpy writes a BINARY set from the file layout and the values it expects,
// independently of the reader and of our own fixture writer.

#include "MissingTool.h"
#include "SimOut.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace testfiles;

namespace {

const char* const kScript = R"PY(
import struct, sys
import numpy as np
d = sys.argv[1]
rng = np.random.default_rng(3)
n, nA, nD = 700, 3, 20
raw = rng.integers(-32768, 32768, size=(n, nA)).astype(np.int16)
bits = rng.integers(0, 2, size=(n, nD)).astype(np.uint8)
stamps = (np.arange(n, dtype=np.uint64) * 333 + (2**32 - 1 - 333 * n)).astype(np.uint32)
a, b = [0.25, 1.5, 0.001], [1.0, -2.0, 50.0]
units, ccbm, fac = ['kV', 'mA', 'Hz'], ['Bus', 'Feeder', 'Line'], [1e3, 1e-3, 1.0]
timemult = 0.5
lines = ['Station,Dev,1999', '%d,%dA,%dD' % (nA + nD, nA, nD)]
for i in range(nA):
    lines.append('%d,Ch%d,A,%s,%s,%r,%r,0,-32768,32767,1,1,P' % (i + 1, i + 1, ccbm[i], units[i], a[i], b[i]))
for k in range(nD):
    lines.append('%d,S%d,,,0' % (k + 1, k + 1))
lines += ['60', '1', '3000,%d' % n, '01/01/2026,00:00:00.0', '01/01/2026,00:00:00.0', 'BINARY', repr(timemult)]
open(d + '/py.cfg', 'wb').write(('\r\n'.join(lines) + '\r\n').encode())
with open(d + '/py.dat', 'wb') as f:
    for j in range(n):
        f.write(struct.pack('<II', j + 1, int(stamps[j])))
        f.write(raw[j].astype('<i2').tobytes())
        for w in range((nD + 15) // 16):
            word = sum(int(bits[j, k]) << (k - 16 * w) for k in range(16 * w, min(nD, 16 * w + 16)))
            f.write(struct.pack('<H', word))
exp = np.empty((1 + nA + nD, n), np.float32)
exp[0] = (stamps.astype(np.float64) * (timemult * 1e-6)).astype(np.float32)
for i in range(nA):
    exp[1 + i] = ((raw[:, i].astype(np.float64) * a[i] + b[i]) * fac[i]).astype(np.float32)
for k in range(nD):
    exp[1 + nA + k] = bits[:, k]
exp.astype('<f4').tofile(d + '/expected.bin')
)PY";

} // namespace

TEST(ComtradeNumpy, BinarySetWrittenByNumpyLoadsToItsValues) {
    ScratchDir dir;
    writeFile(dir.file("make.py"), kScript);
    const std::string cmd = "/usr/bin/python3 " + dir.file("make.py") + " " + dir.path().string();
    if (std::system(("/usr/bin/python3 -c 'import numpy' 2>/dev/null")) != 0)
        CURVIX_SKIP_OR_FAIL() << "install python3-numpy";
    ASSERT_EQ(std::system(cmd.c_str()), 0);

    SimOut r;
    ASSERT_EQ(r.LoadFromComtradeFile(dir.file("py.cfg")), "");
    ASSERT_EQ(r.nVars, 24);
    ASSERT_EQ(r.nPoints, 700);
    EXPECT_EQ(r.names[1], "v:Ch1");
    EXPECT_EQ(r.names[2], "c:Ch2");
    EXPECT_EQ(r.names[3], "L:Ch3");
    EXPECT_EQ(r.names[23], "d:S20");
    const std::string expected = readFile(dir.file("expected.bin"));
    ASSERT_EQ(expected.size(), 24u * 700u * 4u);
    std::vector<float> e(expected.size() / 4);
    std::memcpy(e.data(), expected.data(), expected.size());
    for (int i = 0; i < r.nVars; ++i)
        for (int j = 0; j < r.nPoints; ++j)
            ASSERT_FLOAT_EQ(r.data[i][j], e[i * 700 + j]) << i << "," << j;
}
