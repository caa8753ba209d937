// Any bytes as a configuration text, and as an image to write as one.

#include "app/TextForm.h"
#include "link/Modules.h"
#include "support/FuzzChecks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The codec is a module: loaded before the first input, so that the fuzzer counts its
    // coverage from the start, and refused loudly rather than fuzzing the "no codec" error.
    QString why;
    if (!Modules::Get<TextForm::TextFormModule>(&why)) {
        std::fprintf(stderr, "fuzz_text: %s\n", qPrintable(why));
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = FuzzChecks::TextInput({data, size});
    if (!fault.empty()) {
        std::fprintf(stderr, "fuzz_text: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
