// SPDX-License-Identifier: MIT
#include "elenco/lettorecsv.h"
#include "proprieta.h"

#include <QBuffer>

// Any bytes as a text table: read to the end or refused with a reason, never
// a crash or a hang; no row is wider than the bytes could make it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray byte(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer b(&byte);
    b.open(QIODevice::ReadOnly);
    LettoreCsv lettore(&b, byte.size());
    if (!lettore.apri()) {
        PROPRIETA(!lettore.errore().isEmpty());
        return 0;
    }
    QStringList celle;
    while (lettore.leggi(&celle))
        PROPRIETA(celle.size() <= qsizetype(size) + 1);
    PROPRIETA(lettore.avanzamento() <= 1.0);
    return 0;
}
