// SPDX-License-Identifier: MIT
#include "elenco/lettorefoglio.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QFile>
#include <QXmlStreamReader>
#include <minizip/unzip.h>

namespace {

// A sheet a hundred times larger than its packed size, and over 10 MB, is no
// list anyone wrote; nor is anything over 2 GB.
constexpr quint64 RapportoMassimo = 100;
constexpr quint64 SogliaRapporto = 10u << 20;
constexpr quint64 DimensioneMassima = 2ull << 30;
constexpr int ColonneMassime = 16384;

const QString Foglio = QStringLiteral("il file non è un foglio di calcolo leggibile");

QString numero(const QString &v)
{
    // Spreadsheets store numbers as doubles: "1234567890" may come back as
    // "1.23456789E9"; an integer is shown as one, as the cell did.
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok && d == double(qint64(d)) && std::abs(d) < 1e15)
        return QString::number(qint64(d));
    return v;
}

QString data(double seriale)
{
    return QDate(1899, 12, 30).addDays(qint64(seriale)).toString(QStringLiteral("dd/MM/yyyy"));
}

// One part of the archive, unpacked as it is read, with its sizes checked
// before and while it is read: reading stops at the size the archive
// declared.
class ParteZip : public QIODevice
{
public:
    explicit ParteZip(unzFile zip) : m_zip(zip) {}
    ~ParteZip() override { close(); }

    bool apri(const QString &nome, QString *errore)
    {
        close();
        unz_file_info64 info{};
        if (unzLocateFile(m_zip, nome.toUtf8().constData(), 1) != UNZ_OK
            || unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK
            || unzOpenCurrentFile(m_zip) != UNZ_OK) {
            *errore = Foglio + QStringLiteral(": manca %1").arg(nome);
            return false;
        }
        m_dimensione = info.uncompressed_size;
        m_letti = 0;
        QIODevice::open(QIODevice::ReadOnly);
        if (m_dimensione > DimensioneMassima
            || (m_dimensione > SogliaRapporto && m_dimensione / std::max<quint64>(info.compressed_size, 1) > RapportoMassimo)) {
            *errore = QStringLiteral("il foglio di calcolo si espanderebbe a %1 MB da %2 KB compressi: rifiutato")
                          .arg(m_dimensione >> 20)
                          .arg(info.compressed_size >> 10);
            return false;
        }
        xml.setDevice(this);
        return true;
    }
    void close() override
    {
        if (isOpen())
            unzCloseCurrentFile(m_zip);
        QIODevice::close();
    }
    bool isSequential() const override { return true; }
    // More bytes than the archive declared: its directory lies.
    bool oltre() const { return m_letti > m_dimensione; }
    double avanzamento() const { return m_dimensione ? std::min(1.0, double(m_letti) / double(m_dimensione)) : 0; }

    QXmlStreamReader xml;

protected:
    qint64 readData(char *dati, qint64 massimo) override
    {
        if (oltre())
            return -1;
        const int n = unzReadCurrentFile(m_zip, dati, unsigned(std::min<qint64>(massimo, 1 << 20)));
        if (n < 0)
            return -1;
        m_letti += quint64(n);
        return oltre() ? -1 : n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    unzFile m_zip;
    quint64 m_dimensione = 0;
    quint64 m_letti = 0;
};

// An attribute by its local name, whatever its namespace prefix.
QStringView attributo(const QXmlStreamAttributes &attributi, QLatin1String nome)
{
    for (const QXmlStreamAttribute &a : attributi)
        if (a.name() == nome)
            return a.value();
    return {};
}

// A workbook's runs are pieces of one paragraph in different fonts, and join
// without a break: its texts name no paragraph element.
const QLatin1String SenzaParagrafi;

// The whole text of the element the reader stands on, through the
// paragraphs and runs inside it: each `paragrafo` after the first begins a
// new line.
QString testoDi(QXmlStreamReader &xml, QLatin1String paragrafo)
{
    QString testo;
    int livello = 1;
    bool primo = true;
    while (livello > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            // Phonetic hints are no part of the text.
            if (xml.name() == QLatin1String("rPh")) {
                xml.skipCurrentElement();
                break;
            }
            ++livello;
            if (xml.name() == paragrafo && !primo)
                testo += u'\n';
            primo = primo && xml.name() != paragrafo;
            break;
        case QXmlStreamReader::EndElement:
            --livello;
            break;
        case QXmlStreamReader::Characters:
            testo += xml.text();
            break;
        default:
            break;
        }
    }
    return testo;
}

class LettoreFoglio : public SorgenteRighe
{
public:
    explicit LettoreFoglio(unzFile zip) : m_zip(zip), m_parte(zip) {}
    ~LettoreFoglio() override
    {
        m_parte.close();
        unzClose(m_zip);
    }
    double avanzamento() const override { return m_parte.avanzamento(); }
    // A sheet leaves out the empty cells at the end of a row: rows are made as
    // wide as the first.
    bool leggi(QStringList *celle) final
    {
        if (!leggiRiga(celle))
            return false;
        if (m_larghezza < 0)
            m_larghezza = int(celle->size());
        while (celle->size() < m_larghezza)
            celle->append(QString());
        return true;
    }
protected:
    virtual bool leggiRiga(QStringList *celle) = 0;

    bool errore(QXmlStreamReader &xml)
    {
        if (m_parte.oltre())
            return fallisce(QStringLiteral("il foglio di calcolo è più grande di quanto dichiara il suo archivio: rifiutato"));
        if (xml.hasError())
            return fallisce(Foglio + QStringLiteral(": %1 (riga %2)").arg(xml.errorString()).arg(xml.lineNumber()));
        return false;
    }
    // Cells placed at their column, the gaps between them empty.
    static void metti(QStringList *celle, int colonna, const QString &valore)
    {
        if (colonna >= ColonneMassime || valore.isEmpty())
            return;
        while (celle->size() < colonna)
            celle->append(QString());
        celle->append(valore);
    }

    unzFile m_zip;
    ParteZip m_parte;

private:
    int m_larghezza = -1;
};

class LettoreXlsx : public LettoreFoglio
{
public:
    using LettoreFoglio::LettoreFoglio;

    bool prepara(QString *errore)
    {
        const QString foglio = primoFoglio(errore);
        return !foglio.isEmpty() && leggiTesti(errore) && leggiStili() && m_parte.apri(foglio, errore);
    }

    bool leggiRiga(QStringList *celle) override
    {
        QXmlStreamReader &xml = m_parte.xml;
        celle->clear();
        while (!xml.atEnd() && !m_parte.oltre()) {
            if (xml.readNext() == QXmlStreamReader::EndElement && xml.name() == QLatin1String("row")) {
                if (!celle->isEmpty())
                    return true;
                continue;
            }
            if (!xml.isStartElement() || xml.name() != QLatin1String("c"))
                continue;
            const auto a = xml.attributes();
            const QStringView riferimento = attributo(a, QLatin1String("r"));
            const int colonna = riferimento.isEmpty() ? int(celle->size()) : colonnaDi(riferimento);
            const QString tipo = attributo(a, QLatin1String("t")).toString();
            const int stile = attributo(a, QLatin1String("s")).toInt();
            QString valore;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("v"))
                    valore = xml.readElementText();
                else if (xml.name() == QLatin1String("is"))
                    valore = testoDi(xml, SenzaParagrafi);
                else
                    xml.skipCurrentElement();
            }
            if (tipo == QLatin1String("s"))
                valore = m_testi.value(valore.toInt());
            else if (tipo.isEmpty() || tipo == QLatin1String("n"))
                valore = m_stiliData.contains(stile) && !valore.isEmpty() ? data(valore.toDouble()) : numero(valore);
            metti(celle, colonna, valore);
        }
        return errore(xml);
    }

private:
    static int colonnaDi(QStringView riferimento)
    {
        int c = 0;
        for (const QChar ch : riferimento) {
            if (!ch.isLetter() || c > ColonneMassime)
                break;
            c = c * 26 + (ch.toUpper().unicode() - 'A' + 1);
        }
        return c - 1;
    }

    // The part of the first sheet, through the workbook's relationships.
    QString primoFoglio(QString *errore)
    {
        QString id, destinazione;
        {
            ParteZip cartella(m_zip);
            if (!cartella.apri(QStringLiteral("xl/workbook.xml"), errore))
                return {};
            while (!cartella.xml.atEnd() && id.isEmpty())
                if (cartella.xml.readNext() == QXmlStreamReader::StartElement && cartella.xml.name() == QLatin1String("sheet"))
                    id = attributo(cartella.xml.attributes(), QLatin1String("id")).toString();
        }
        ParteZip relazioni(m_zip);
        if (!id.isEmpty() && relazioni.apri(QStringLiteral("xl/_rels/workbook.xml.rels"), errore))
            while (!relazioni.xml.atEnd())
                if (relazioni.xml.readNext() == QXmlStreamReader::StartElement
                    && attributo(relazioni.xml.attributes(), QLatin1String("Id")) == id)
                    destinazione = attributo(relazioni.xml.attributes(), QLatin1String("Target")).toString();
        if (destinazione.isEmpty()) {
            *errore = Foglio + QStringLiteral(": nessun foglio nella cartella di lavoro");
            return {};
        }
        return destinazione.startsWith(u'/') ? destinazione.mid(1) : QStringLiteral("xl/") + destinazione;
    }

    // The shared texts the cells refer to by number; a sheet may have none.
    bool leggiTesti(QString *errore)
    {
        ParteZip testi(m_zip);
        if (unzLocateFile(m_zip, "xl/sharedStrings.xml", 1) != UNZ_OK)
            return true;
        if (!testi.apri(QStringLiteral("xl/sharedStrings.xml"), errore))
            return false;
        while (!testi.xml.atEnd() && !testi.oltre())
            if (testi.xml.readNext() == QXmlStreamReader::StartElement && testi.xml.name() == QLatin1String("si"))
                m_testi.append(testoDi(testi.xml, SenzaParagrafi));
        if (testi.oltre() || testi.xml.hasError()) {
            *errore = Foglio + QStringLiteral(": testi condivisi illeggibili");
            return false;
        }
        return true;
    }

    // Which cell styles show a date: the built-in date formats, and those of
    // the file's own whose code has day, month or year outside quotes.
    bool leggiStili()
    {
        ParteZip stili(m_zip);
        QString ignorato;
        if (!stili.apri(QStringLiteral("xl/styles.xml"), &ignorato))
            return true;
        QSet<int> formatiData = {14, 15, 16, 17, 22, 27, 30, 36, 45, 46, 47, 50, 57};
        static const QRegularExpression segni(QStringLiteral("\"[^\"]*\"|\\[[^\\]]*\\]"));
        bool inXf = false;
        int stile = 0;
        while (!stili.xml.atEnd() && !stili.oltre()) {
            const auto t = stili.xml.readNext();
            const auto nome = stili.xml.name();
            if (t == QXmlStreamReader::StartElement && nome == QLatin1String("numFmt")) {
                const QString codice = attributo(stili.xml.attributes(), QLatin1String("formatCode")).toString().remove(segni);
                if (codice.contains(u'd', Qt::CaseInsensitive) || codice.contains(u'y', Qt::CaseInsensitive))
                    formatiData.insert(attributo(stili.xml.attributes(), QLatin1String("numFmtId")).toInt());
            } else if (nome == QLatin1String("cellXfs")) {
                inXf = t == QXmlStreamReader::StartElement;
            } else if (inXf && t == QXmlStreamReader::StartElement && nome == QLatin1String("xf")) {
                if (formatiData.contains(attributo(stili.xml.attributes(), QLatin1String("numFmtId")).toInt()))
                    m_stiliData.insert(stile);
                ++stile;
            }
        }
        return true;
    }

    QStringList m_testi;
    QSet<int> m_stiliData;
};

class LettoreOds : public LettoreFoglio
{
public:
    using LettoreFoglio::LettoreFoglio;

    bool prepara(QString *errore)
    {
        if (!m_parte.apri(QStringLiteral("content.xml"), errore))
            return false;
        while (!m_parte.xml.atEnd())
            if (m_parte.xml.readNext() == QXmlStreamReader::StartElement && m_parte.xml.name() == QLatin1String("table"))
                return true;
        *errore = Foglio + QStringLiteral(": nessun foglio nel documento");
        return false;
    }

    bool leggiRiga(QStringList *celle) override
    {
        QXmlStreamReader &xml = m_parte.xml;
        // A row repeated (the same cells several times) is given again.
        if (m_ripetizioni > 0) {
            --m_ripetizioni;
            *celle = m_ultima;
            return true;
        }
        celle->clear();
        int colonna = 0;
        while (!xml.atEnd() && !m_parte.oltre()) {
            const auto t = xml.readNext();
            if (t == QXmlStreamReader::EndElement && xml.name() == QLatin1String("table"))
                break; // only the first sheet
            if (t == QXmlStreamReader::StartElement && xml.name() == QLatin1String("table-row")) {
                m_ripetiRiga = std::max(1, attributo(xml.attributes(), QLatin1String("number-rows-repeated")).toInt());
                colonna = 0;
                celle->clear();
            } else if (t == QXmlStreamReader::EndElement && xml.name() == QLatin1String("table-row")) {
                // Empty rows are repeated by the thousand to the end of the sheet: they are no rows.
                if (celle->isEmpty())
                    continue;
                m_ripetizioni = std::min(m_ripetiRiga, 1 << 20) - 1;
                m_ultima = *celle;
                return true;
            } else if (t == QXmlStreamReader::StartElement
                       && (xml.name() == QLatin1String("table-cell") || xml.name() == QLatin1String("covered-table-cell"))) {
                const auto a = xml.attributes();
                const int volte = std::max(1, attributo(a, QLatin1String("number-columns-repeated")).toInt());
                const QStringView tipo = attributo(a, QLatin1String("value-type"));
                QString valore;
                if (tipo == QLatin1String("date"))
                    valore = QDate::fromString(attributo(a, QLatin1String("date-value")).left(10).toString(), Qt::ISODate)
                                 .toString(QStringLiteral("dd/MM/yyyy"));
                else if (tipo == QLatin1String("float"))
                    valore = numero(attributo(a, QLatin1String("value")).toString());
                const QString testo = testoDi(xml, QLatin1String("p"));
                if (valore.isEmpty())
                    valore = testo;
                for (int i = 0; i < volte && !valore.isEmpty() && colonna + i < ColonneMassime; ++i)
                    metti(celle, colonna + i, valore);
                colonna = std::min(colonna + volte, ColonneMassime);
            }
        }
        return errore(xml);
    }

private:
    int m_ripetiRiga = 0;
    int m_ripetizioni = 0;
    QStringList m_ultima;
};

template <typename Lettore> std::unique_ptr<SorgenteRighe> prepara(unzFile zip, QString *errore)
{
    auto l = std::make_unique<Lettore>(zip);
    if (!l->prepara(errore))
        return nullptr;
    return l;
}

} // namespace

bool archivioZip(const QByteArray &inizio)
{
    return inizio.startsWith("PK\x03\x04");
}

std::unique_ptr<SorgenteRighe> apriFoglio(const QString &percorso, QString *errore)
{
    unzFile zip = unzOpen64(QFile::encodeName(percorso).constData());
    if (!zip) {
        *errore = Foglio + QStringLiteral(" (archivio zip danneggiato)");
        return nullptr;
    }
    if (unzLocateFile(zip, "xl/workbook.xml", 1) == UNZ_OK)
        return prepara<LettoreXlsx>(zip, errore);
    if (unzLocateFile(zip, "content.xml", 1) == UNZ_OK)
        return prepara<LettoreOds>(zip, errore);
    unzClose(zip);
    *errore = QStringLiteral("il file è un archivio zip ma non un foglio .xlsx o .ods");
    return nullptr;
}
