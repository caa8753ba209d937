// Any sequence of chunks and gathering deadlines as a device's reply, for every model.

#include "support/FuzzChecks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = FuzzChecks::ReplyInput({data, size});
    if (!fault.empty()) {
        std::fprintf(stderr, "fuzz_reply: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
