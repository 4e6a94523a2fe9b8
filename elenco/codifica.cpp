// SPDX-License-Identifier: MIT
#include "elenco/codifica.h"

#include <QStringDecoder>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; the five bytes it
// leaves unassigned are read as the Latin-1 control characters.
constexpr char16_t Da80a9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

Codifica riconosciCodifica(const QByteArray &inizio)
{
    if (inizio.startsWith("\xEF\xBB\xBF"))
        return Codifica::Utf8Bom;
    if (inizio.startsWith("\xFF\xFE"))
        return Codifica::Utf16Le;
    if (inizio.startsWith("\xFE\xFF"))
        return Codifica::Utf16Be;
    // A sequence cut at the end of the sample is not an error: the decoder
    // keeps it waiting for the next bytes.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString prova = utf8.decode(inizio);
    Q_UNUSED(prova);
    return utf8.hasError() ? Codifica::Windows1252 : Codifica::Utf8;
}

int lunghezzaBom(Codifica c)
{
    switch (c) {
    case Codifica::Utf8Bom:
        return 3;
    case Codifica::Utf16Le:
    case Codifica::Utf16Be:
        return 2;
    default:
        return 0;
    }
}

QString testoWindows1252(const QByteArray &byte)
{
    QString testo(byte.size(), Qt::Uninitialized);
    QChar *c = testo.data();
    for (const char b : byte) {
        const auto u = static_cast<unsigned char>(b);
        *c++ = QChar(u >= 0x80 && u <= 0x9F ? Da80a9F[u - 0x80] : char16_t(u));
    }
    return testo;
}

QByteArray byteWindows1252(const QString &testo)
{
    QByteArray byte(testo.size(), Qt::Uninitialized);
    char *b = byte.data();
    for (const QChar c : testo) {
        char16_t u = c.unicode();
        if (u >= 0x80 && (u <= 0x9F || u > 0xFF)) {
            const auto *trovato = std::find(std::begin(Da80a9F), std::end(Da80a9F), u);
            u = trovato == std::end(Da80a9F) ? char16_t('?') : char16_t(0x80 + (trovato - Da80a9F));
        }
        *b++ = char(u);
    }
    return byte;
}
