// SPDX-License-Identifier: MIT
#include "fiscal/datanascita.h"
#include "proprieta.h"

#include <QString>

// Any text, as UTF-8 that may be malformed.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString testo = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QDate> riconosciuta = riconosciData(testo);

    // Blanks around the text never change the outcome.
    PROPRIETA(riconosciData(QStringLiteral("  ") + testo + QStringLiteral(" ")) == riconosciuta);
    if (!riconosciuta)
        return 0;
    // What is recognised is a real day, and the same day written out in full
    // is recognised as itself.
    PROPRIETA(riconosciuta->isValid());
    PROPRIETA(riconosciData(riconosciuta->toString(QStringLiteral("dd/MM/yyyy"))) == riconosciuta);
    return 0;
}
