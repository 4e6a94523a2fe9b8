// SPDX-License-Identifier: MIT
#include "fiscal/codicefiscale.h"
#include "fiscal/verificacodice.h"
#include "proprieta.h"

#include <QString>
#include <cstring>

// Any bytes of any length, read as UTF-8 that may be malformed or, after a
// first byte 0, as UTF-16 with lone surrogates, as a paste can bring them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString codice;
    if (size > 0 && data[0] == 0) {
        codice.resize(qsizetype((size - 1) / 2));
        std::memcpy(codice.data(), data + 1, size_t(codice.size()) * 2);
    } else {
        codice = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    }
    const EsitoCodFis e = VerificaCodFis(codice);

    PROPRIETA(e.valido == e.errore.isEmpty());
    if (!e.valido)
        return 0;
    PROPRIETA(e.codice.size() == 16 && e.codiceBase.size() == 16 && e.codiceLuogo.size() == 4);
    PROPRIETA(e.sostituzioni >= 0 && e.sostituzioni <= 7);
    PROPRIETA(e.mese >= 1 && e.mese <= 12 && e.giorno >= 1 && e.giorno <= 31 && e.anno2 >= 0 && e.anno2 <= 99);
    PROPRIETA(e.sesso == QLatin1Char('M') || e.sesso == QLatin1Char('F'));
    // The base code is itself valid, without replaced digits, and says the same.
    const EsitoCodFis base = VerificaCodFis(e.codiceBase);
    PROPRIETA(base.valido && base.sostituzioni == 0 && base.codiceBase == e.codiceBase);
    PROPRIETA(base.giorno == e.giorno && base.mese == e.mese && base.anno2 == e.anno2 && base.sesso == e.sesso &&
              base.codiceLuogo == e.codiceLuogo);
    // Grouped as the main window shows it, it reads the same.
    PROPRIETA(VerificaCodFis(CodiceRaggruppato(e.codice)).codice == e.codice);
    return 0;
}
