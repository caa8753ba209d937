// Any bytes as a configuration text, and as an image to write as one.

#include "support/FuzzChecks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = FuzzChecks::TextInput({data, size});
    if (!fault.empty()) {
        std::fprintf(stderr, "fuzz_text: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
