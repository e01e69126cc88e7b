// One libFuzzer target; VORN_FUZZ_ENTRY names the entry of FuzzEntries.h it drives.
#include "FuzzEntries.h"

#include <QCoreApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "vorn-fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv); // text codecs and Qt's globals
    static const FuzzEntry *entry = FindFuzzEntry(QStringLiteral(VORN_FUZZ_ENTRY));
    if (!entry)
        std::abort();
    // A copy, as the program's own byte arrays are: it ends in a NUL, the fuzzer's bytes do not.
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    // A broken promise of a reader is a finding, as a crash is.
    if (!entry->run(input))
        std::abort();
    return 0;
}
