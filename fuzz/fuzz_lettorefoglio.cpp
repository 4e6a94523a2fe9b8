// SPDX-License-Identifier: MIT
#include "elenco/lettorefoglio.h"
#include "proprieta.h"

#include <QTemporaryFile>

// Any bytes as a spreadsheet file (the seeds are small .xlsx and .ods
// archives): opened and read, or refused with a reason.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryFile file;
    if (!file.isOpen() && !file.open())
        std::abort();
    file.resize(0);
    file.seek(0);
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.flush();
    QString errore;
    const std::unique_ptr<SorgenteRighe> foglio = apriFoglio(file.fileName(), &errore);
    if (!foglio) {
        PROPRIETA(!errore.isEmpty());
        return 0;
    }
    QStringList celle;
    while (foglio->leggi(&celle))
        PROPRIETA(celle.size() <= 16384);
    return 0;
}
