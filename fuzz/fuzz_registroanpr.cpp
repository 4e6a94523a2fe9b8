// SPDX-License-Identifier: MIT
#include "luoghi/periodiluoghi.h"
#include "proprieta.h"

// Any bytes as a downloaded register: a file the reader accepts gives rows and
// periods that make sense, and one it refuses gives none, with a reason.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QList<RigaRegistro> righe;
    QString errore;
    if (!leggiRegistro(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &righe, &errore)) {
        PROPRIETA(righe.isEmpty() && !errore.isEmpty());
        return 0;
    }
    for (const RigaRegistro &r : std::as_const(righe))
        PROPRIETA(r.codice.size() == 4 && r.dal.isValid() && (r.al.isNull() || r.dal <= r.al) && r.sigla.size() == 2);
    // A code's periods of use are in order, with at least a day between two.
    for (const QList<PeriodoLuogo> &delCodice : periodiDelRegistro(righe))
        for (qsizetype i = 0; i < delCodice.size(); ++i) {
            const PeriodoLuogo &p = delCodice.at(i);
            PROPRIETA(p.dal.isNull() || p.al.isNull() || p.dal <= p.al);
            if (i > 0)
                PROPRIETA(!delCodice.at(i - 1).al.isNull() && delCodice.at(i - 1).al.addDays(1) < p.dal);
        }
    // Its periods in one province follow one another by their first day.
    for (const QList<PeriodoLuogo> &delCodice : provinceDelRegistro(righe))
        for (qsizetype i = 1; i < delCodice.size(); ++i)
            PROPRIETA(delCodice.at(i - 1).dal.isNull() || delCodice.at(i - 1).dal <= delCodice.at(i).dal);
    return 0;
}
