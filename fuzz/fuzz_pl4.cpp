#include "FuzzInput.h"
#include "SimOut.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzinput::scratchPath(".pl4");
    if (!fuzzinput::writeBytes(path, data, size)) return 0;
    SimOut s;
    s.commaSeparators = size > 0 && (data[0] & 1);
    (void)s.LoadFromPl4File(path);
    std::remove(path.c_str());
    return 0;
}
