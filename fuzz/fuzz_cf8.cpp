// Any bytes as a ".cf8" file, through the reader the Open command uses.

#include "support/FuzzChecks.h"

#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One file, rewritten for every input: creating a directory per input would measure the
    // file system instead of the reader.
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("input.cf8"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "fuzz_cf8: no temporary directory\n");
        std::abort();
    }
    const std::string fault = FuzzChecks::Cf8Input(path, {data, size});
    if (!fault.empty()) {
        std::fprintf(stderr, "fuzz_cf8: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
