// SPDX-License-Identifier: MIT
#include "elenco/scrittori.h"

#include "elenco/scrittorexlsx.h"


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
    if (m_file->commit())
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
    m_riga.clear();
    for (qsizetype i = 0; i < celle.size(); ++i) {
        if (i > 0)
            m_riga += m_separatore;
        const QString &c = celle.at(i);
        const bool virgolette = std::any_of(c.cbegin(), c.cend(), [this](QChar x) {
            return x == m_separatore || x == u'"' || x == u'\n' || x == u'\r';
        });
        if (virgolette) {
            m_riga += u'"';
            m_riga += QString(c).replace(u'"', QLatin1String("\"\""));
            m_riga += u'"';
        } else {
            m_riga += c;
        }
    }
    // Windows programs expect their own line ends in the encodings they write.
    m_riga += m_codifica == Codifica::Utf8 ? QLatin1String("\n") : QLatin1String("\r\n");
    return scriviTesto(m_riga);
}

bool ScrittoreCsv::scriviTesto(const QString &testo)
{
    QString errore;
    const QByteArray byte = m_codifica == Codifica::Windows1252 ? byteWindows1252(testo) : QByteArray(m_codificatore.encode(testo));
    return scriviByte(m_uscita.dispositivo(), byte, &errore) || fallisce(errore);
}

bool ScrittoreCsv::chiudi()
{
    return m_uscita.completa() || fallisce(m_uscita.errore());
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
