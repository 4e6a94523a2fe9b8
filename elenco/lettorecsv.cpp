// SPDX-License-Identifier: MIT
#include "elenco/lettorecsv.h"

#include <QIODevice>

namespace {

constexpr qint64 Blocco = 1 << 16;

bool controllo(QChar c)
{
    return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f';
}

} // namespace

LettoreCsv::LettoreCsv(QIODevice *ingresso, qint64 dimensione) : m_ingresso(ingresso), m_dimensione(dimensione)
{
}

bool LettoreCsv::apri()
{
    const QByteArray inizio = m_ingresso->peek(Blocco);
    m_codifica = riconosciCodifica(inizio);
    m_ingresso->skip(lunghezzaBom(m_codifica));
    m_letti = lunghezzaBom(m_codifica);
    if (m_codifica == Codifica::Utf16Le)
        m_decodificatore = QStringDecoder(QStringDecoder::Utf16LE);
    else if (m_codifica == Codifica::Utf16Be)
        m_decodificatore = QStringDecoder(QStringDecoder::Utf16BE);
    else if (m_codifica != Codifica::Windows1252)
        m_decodificatore = QStringDecoder(QStringDecoder::Utf8);
    if (!leggiBlocco())
        return false;
    if (std::any_of(m_testo.cbegin(), m_testo.cend(), controllo))
        return fallisce(QStringLiteral("il file non è una tabella di testo: contiene caratteri di controllo"));
    m_separatore = trovaSeparatore();
    return true;
}

QChar LettoreCsv::trovaSeparatore() const
{
    int conta[3] = {};
    const QChar candidati[3] = {u';', u'\t', u','};
    bool virgolette = false;
    for (const QChar c : m_testo) {
        if (c == u'"')
            virgolette = !virgolette;
        else if (!virgolette && (c == u'\n' || c == u'\r'))
            break;
        else if (!virgolette)
            for (int i = 0; i < 3; ++i)
                conta[i] += c == candidati[i];
    }
    // On a tie the semicolon wins: Italian spreadsheets write the decimal
    // comma, and save with semicolons.
    return candidati[std::max_element(std::begin(conta), std::end(conta)) - std::begin(conta)];
}

bool LettoreCsv::leggiBlocco()
{
    QByteArray byte(Blocco, Qt::Uninitialized);
    const qint64 n = m_ingresso->read(byte.data(), Blocco);
    if (n < 0)
        return fallisce(QStringLiteral("lettura non riuscita: %1").arg(m_ingresso->errorString()));
    if (n == 0) {
        m_fine = true;
        return true;
    }
    byte.truncate(n);
    m_letti += byte.size();
    m_testo.remove(0, m_pos);
    m_pos = 0;
    m_testo += m_codifica == Codifica::Windows1252 ? testoWindows1252(byte) : m_decodificatore.decode(byte);
    return true;
}

bool LettoreCsv::leggi(QStringList *celle)
{
    for (;;) {
        if (!record(celle)) { // more text is needed
            if (m_pos == m_testo.size() && m_fine)
                return false;
            if (m_testo.size() - m_pos > RigaMassima)
                return fallisce(QStringLiteral("la riga %1 supera %2 caratteri: il file non sembra una tabella")
                                    .arg(m_riga + 1)
                                    .arg(RigaMassima));
            if (!leggiBlocco())
                return false;
            continue;
        }
        ++m_riga;
        // A line of empty cells (";;;" left by a spreadsheet) is no row.
        if (std::any_of(celle->cbegin(), celle->cend(), [](const QString &c) { return !c.isEmpty(); }))
            return true;
    }
}

bool LettoreCsv::record(QStringList *celle)
{
    const QChar *const inizio = m_testo.constData();
    const QChar *const fine = inizio + m_testo.size();
    const QChar *p = inizio + m_pos;
    if (p == fine)
        return false;
    // The texts of the previous row's cells are written over: once the row
    // is done with, their room serves again.
    qsizetype n = 0;
    const auto metti = [&](const QChar *testo, qsizetype lunghezza) {
        if (n < celle->size())
            (*celle)[n].setUnicode(testo, lunghezza);
        else
            celle->emplaceBack(testo, lunghezza);
        ++n;
    };
    QString cella;
    for (;;) {
        cella.clear();
        const bool citata = p < fine && *p == u'"';
        if (citata) {
            ++p;
            for (;;) {
                const QChar *q = std::find(p, fine, u'"');
                cella.append(p, q - p);
                if (q == fine || q + 1 == fine) {
                    if (!m_fine)
                        return false;
                    p = q == fine ? q : q + 1; // an unclosed quote ends with the file
                    break;
                }
                p = q + 1;
                if (*p != u'"')
                    break;
                cella.append(u'"');
                ++p;
            }
        }
        // Text after a closing quote, or an unquoted field, runs to the next
        // separator or line end.
        const QChar *q = p;
        const char16_t separatore = m_separatore.unicode();
        while (q < fine && q->unicode() != separatore && (q->unicode() > u'\r' || (*q != u'\n' && *q != u'\r')))
            ++q;
        if (q == fine && !m_fine)
            return false;
        if (citata) {
            cella.append(p, q - p);
            metti(cella.constData(), cella.size());
        } else {
            metti(p, q - p);
        }
        if (q == fine) {
            m_pos = q - inizio;
            celle->resize(n);
            return true;
        }
        if (*q == m_separatore) {
            p = q + 1;
            continue;
        }
        if (*q == u'\r' && q + 1 == fine && !m_fine)
            return false;
        p = q + 1 + (*q == u'\r' && q + 1 < fine && q[1] == u'\n');
        m_pos = p - inizio;
        celle->resize(n);
        return true;
    }
}

double LettoreCsv::avanzamento() const
{
    return m_dimensione > 0 ? std::min(1.0, double(m_letti) / double(m_dimensione)) : 0.0;
}
