// SPDX-License-Identifier: MIT
#include "proprieta.h"
#include "vat/controllopi.h"

#include <QString>

// Any text, read as UTF-16 so that every code unit, surrogates and nulls
// included, can reach the check.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString numero(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    const bool valida = ControlloPI(numero);

    if (numero.size() != 11) {
        PROPRIETA(!valida);
        return 0;
    }
    // Exactly one check digit fits the first ten characters.
    int cifreValide = 0;
    QString altro = numero;
    for (char16_t c = u'0'; c <= u'9'; ++c) {
        altro[10] = QChar(c);
        cifreValide += ControlloPI(altro) ? 1 : 0;
    }
    PROPRIETA(cifreValide <= 1);
    bool soloCifre = true;
    for (QChar c : numero.left(10))
        soloCifre = soloCifre && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (soloCifre)
        PROPRIETA(cifreValide == 1);
    return 0;
}
