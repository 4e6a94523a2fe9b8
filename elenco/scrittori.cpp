// SPDX-License-Identifier: MIT
#include "elenco/scrittori.h"

#include "elenco/scrittorexlsx.h"

#include <cstring>

namespace {

bool scriviByte(QIODevice *d, const QByteArray &byte, QString *errore)
{
    if (d->write(byte) == byte.size())
        return true;
    *errore = QStringLiteral("scrittura dei risultati non riuscita: %1").arg(d->errorString());
    return false;
}

QString jsonTesto(const QString &testo)
{
    QString j = QStringLiteral("\"");
    for (const QChar c : testo) {
        if (c == u'"' || c == u'\\')
            j += u'\\' + QString(c);
        else if (c.unicode() < 0x20)
            j += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            j += c;
    }
    return j + u'"';
}

} // namespace

bool UscitaRisultati::apri(const QString &percorso)
{
    if (percorso == QLatin1String("-")) {
        m_standard = std::make_unique<QFile>();
        if (m_standard->open(stdout, QIODevice::WriteOnly))
            return true;
        m_errore = QStringLiteral("impossibile scrivere sullo standard output");
        return false;
    }
    m_file = std::make_unique<QSaveFile>(percorso);
    if (m_file->open(QIODevice::WriteOnly))
        return true;
    m_errore = QStringLiteral("impossibile scrivere %1: %2").arg(percorso, m_file->errorString());
    return false;
}

QIODevice *UscitaRisultati::dispositivo() const
{
    return m_file ? static_cast<QIODevice *>(m_file.get()) : m_standard.get();
}

bool UscitaRisultati::completa()
{
    if (m_standard) {
        if (m_standard->flush())
            return true;
        m_errore = QStringLiteral("scrittura sullo standard output non riuscita");
        return false;
    }
    // The end still buffered is written first: commit() keeps quiet when
    // writing it fails, and would put an incomplete file in place.
    if (m_file->flush() && m_file->commit())
        return true;
    m_errore = QStringLiteral("impossibile completare %1: %2").arg(m_file->fileName(), m_file->errorString());
    return false;
}

ScrittoreCsv::ScrittoreCsv(UscitaRisultati &uscita, QChar separatore, Codifica codifica)
    : m_uscita(uscita), m_separatore(separatore), m_codifica(codifica)
{
    if (codifica == Codifica::Utf16Le || codifica == Codifica::Utf16Be)
        m_codificatore = QStringEncoder(codifica == Codifica::Utf16Le ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                                        QStringEncoder::Flag::WriteBom);
    else if (codifica != Codifica::Windows1252)
        m_codificatore = QStringEncoder(QStringEncoder::Utf8, codifica == Codifica::Utf8Bom
                                                                  ? QStringEncoder::Flag::WriteBom
                                                                  : QStringEncoder::Flag::Default);
}

bool ScrittoreCsv::scrivi(const QStringList &celle)
{
    // The line is measured first, noting the cells to quote, and then copied
    // in place, into a text that keeps its room from one row to the next.
    const char16_t separatore = m_separatore.unicode();
    const auto speciale = [separatore](QChar x) {
        const char16_t u = x.unicode();
        return u == separatore || (u <= u'"' && (u == u'"' || u == u'\n' || u == u'\r'));
    };
    const QLatin1String fineRiga = m_codifica == Codifica::Utf8 ? QLatin1String("\n") : QLatin1String("\r\n");
    qsizetype lunghezza = celle.size() + fineRiga.size();
    m_citate.resize(celle.size());
    for (qsizetype i = 0; i < celle.size(); ++i) {
        const QString &c = celle.at(i);
        m_citate[size_t(i)] = std::any_of(c.cbegin(), c.cend(), speciale);
        lunghezza += c.size() + (m_citate[size_t(i)] ? 2 + c.count(u'"') : 0);
    }
    m_riga.resize(lunghezza);
    QChar *d = m_riga.data();
    for (qsizetype i = 0; i < celle.size(); ++i) {
        if (i > 0)
            *d++ = m_separatore;
        const QString &c = celle.at(i);
        if (!m_citate[size_t(i)]) {
            std::memcpy(static_cast<void *>(d), c.constData(), size_t(c.size()) * sizeof(QChar));
            d += c.size();
            continue;
        }
        *d++ = u'"';
        for (const QChar x : c) {
            if (x == u'"')
                *d++ = u'"';
            *d++ = x;
        }
        *d++ = u'"';
    }
    // Windows programs expect their own line ends in the encodings they write.
    for (const char x : fineRiga)
        *d++ = QLatin1Char(x);
    m_riga.truncate(d - m_riga.constData());
    if (m_codifica == Codifica::Windows1252) {
        m_byte += byteWindows1252(m_riga);
    } else {
        const qsizetype prima = m_byte.size();
        m_byte.resize(prima + m_codificatore.requiredSpace(m_riga.size()));
        m_byte.truncate(m_codificatore.appendToBuffer(m_byte.data() + prima, m_riga) - m_byte.constData());
    }
    return m_byte.size() < Blocco || svuota();
}

// The lines encoded so far go to the output a block at a time.
bool ScrittoreCsv::svuota()
{
    QString errore;
    const bool scritto = scriviByte(m_uscita.dispositivo(), m_byte, &errore);
    m_byte.resize(0);
    return scritto || fallisce(errore);
}

bool ScrittoreCsv::chiudi()
{
    return svuota() && (m_uscita.completa() || fallisce(m_uscita.errore()));
}

ScrittoreJson::ScrittoreJson(UscitaRisultati &uscita) : m_uscita(uscita)
{
}

bool ScrittoreJson::scrivi(const QStringList &celle)
{
    if (m_chiavi.isEmpty()) {
        m_chiavi = celle;
        // Two columns of the same name would make one key: the later ones are
        // numbered.
        for (qsizetype i = 0; i < m_chiavi.size(); ++i)
            if (m_chiavi.indexOf(m_chiavi.at(i)) < i || m_chiavi.at(i).isEmpty())
                m_chiavi[i] += QStringLiteral(" (%1)").arg(i + 1);
        return true;
    }
    // Written by hand to keep the columns' order, which an object of Qt's
    // would sort.
    QString oggetto = m_primo ? QStringLiteral("[\n{") : QStringLiteral(",\n{");
    for (qsizetype i = 0; i < m_chiavi.size(); ++i) {
        if (i > 0)
            oggetto += u',';
        oggetto += jsonTesto(m_chiavi.at(i)) + u':' + jsonTesto(celle.value(i));
    }
    oggetto += u'}';
    const QByteArray byte = oggetto.toUtf8();
    m_primo = false;
    QString errore;
    return scriviByte(m_uscita.dispositivo(), byte, &errore) || fallisce(errore);
}

bool ScrittoreJson::chiudi()
{
    QString errore;
    if (!scriviByte(m_uscita.dispositivo(), m_primo ? QByteArrayLiteral("[]\n") : QByteArrayLiteral("\n]\n"), &errore))
        return fallisce(errore);
    return m_uscita.completa() || fallisce(m_uscita.errore());
}

std::unique_ptr<DestinazioneRighe> creaScrittore(const QString &formato, UscitaRisultati &uscita, QChar separatore,
                                                 Codifica codifica)
{
    if (formato == QLatin1String("xlsx"))
        return std::make_unique<ScrittoreXlsx>(uscita);
    if (formato == QLatin1String("json"))
        return std::make_unique<ScrittoreJson>(uscita);
    return std::make_unique<ScrittoreCsv>(uscita, separatore, codifica);
}
