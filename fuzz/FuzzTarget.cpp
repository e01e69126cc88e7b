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
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    // A broken promise of a reader is a finding, as a crash is.
    if (!entry->run(QByteArray(input.constData(), input.size())))
        std::abort();
    return 0;
}
