#include "FuzzInput.h"
#include "SimOut.h"

#include <cstdio>
#include <cstring>

// The input holds the CFG text, a line "#DAT#", then the DAT bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char kSplit[] = "\n#DAT#\n";
    const std::size_t splitLen = sizeof(kSplit) - 1;
    std::size_t cut = size;
    for (std::size_t i = 0; i + splitLen <= size; ++i)
        if (std::memcmp(data + i, kSplit, splitLen) == 0) {
            cut = i;
            break;
        }
    const std::string cfg = fuzzinput::scratchPath(".cfg");
    const std::string dat = fuzzinput::scratchPath(".dat");
    const std::size_t datStart = cut < size ? cut + splitLen : size;
    if (!fuzzinput::writeBytes(cfg, data, cut) ||
        !fuzzinput::writeBytes(dat, data + datStart, size - datStart))
        return 0;
    SimOut s;
    (void)s.LoadFromComtradeFile(cfg);
    std::remove(cfg.c_str());
    std::remove(dat.c_str());
    return 0;
}
