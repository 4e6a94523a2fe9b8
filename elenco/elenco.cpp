// SPDX-License-Identifier: MIT
#include "elenco/elenco.h"

#include "elenco/lettorecsv.h"
#include "elenco/lettorefoglio.h"

Elenco::Elenco() = default;
Elenco::~Elenco() = default;

bool Elenco::apri(const QString &percorso)
{
    const bool standard = percorso == QLatin1String("-");
    const bool aperto = standard ? m_file.open(stdin, QIODevice::ReadOnly) : (m_file.setFileName(percorso),
                                                                                m_file.open(QIODevice::ReadOnly));
    if (!aperto) {
        m_errore = QStringLiteral("impossibile leggere %1: %2").arg(percorso, m_file.errorString());
        return false;
    }
    if (!(archivioZip(m_file.peek(4)) ? apriFoglio() : apriTesto()))
        return false;
    if (!m_sorgente->leggi(&m_intestazione)) {
        m_errore = m_sorgente->errore().isEmpty() ? QStringLiteral("l'elenco %1 è vuoto").arg(percorso)
                                                 : m_sorgente->errore();
        return false;
    }
    colonne = riconosciColonne(m_intestazione);
    return true;
}

bool Elenco::apriTesto()
{
    auto csv = std::make_unique<LettoreCsv>(&m_file, m_file.isSequential() ? 0 : m_file.size());
    if (!csv->apri()) {
        m_errore = csv->errore();
        return false;
    }
    m_separatore = csv->separatore();
    m_codifica = csv->codifica();
    m_sorgente = std::move(csv);
    return true;
}

// A spreadsheet is read by random access: from standard input it is first
// copied to a temporary file, within a limit.
bool Elenco::apriFoglio()
{
    m_foglio = true;
    QString percorso = m_file.fileName();
    if (m_file.isSequential()) {
        if (!m_copia.open()) {
            m_errore = QStringLiteral("impossibile creare un file temporaneo: %1").arg(m_copia.errorString());
            return false;
        }
        // A write cut short (the disk full) is a failure, and so is the end
        // of the copy still buffered when it cannot be written.
        bool scritto = true;
        while (scritto && !m_file.atEnd() && m_copia.size() <= LimiteFoglioDaStandard) {
            const QByteArray blocco = m_file.read(1 << 20);
            scritto = m_copia.write(blocco) == blocco.size();
        }
        if (!scritto || !m_copia.flush()) {
            m_errore = QStringLiteral("impossibile scrivere un file temporaneo: %1").arg(m_copia.errorString());
            return false;
        }
        if (m_copia.size() > LimiteFoglioDaStandard) {
            m_errore = QStringLiteral("un foglio di calcolo letto dallo standard input non può superare %1 MB")
                           .arg(LimiteFoglioDaStandard >> 20);
            return false;
        }
        percorso = m_copia.fileName();
    }
    m_sorgente = ::apriFoglio(percorso, &m_errore);
    return m_sorgente != nullptr;
}

bool controllaElenco(Elenco &elenco, const Database &db, const QDate &oggi, const Osservatori &osservatori,
                     Riepilogo *riepilogo, QString *errore)
{
    ControlloRiga controllo(db, elenco.intestazione(), elenco.colonne, oggi);
    if (!osservatori.riga(controllo.intestazioni(), StatoRiga::Valida)) {
        *errore = QString();
        return false;
    }
    QStringList celle;
    while (!(osservatori.annulla && osservatori.annulla->load(std::memory_order_relaxed))
           && elenco.sorgente().leggi(&celle)) {
        const StatoRiga stato = controllo.controlla(&celle);
        if (controllo.erroreDb().failed()) {
            *errore = QStringLiteral("errore del database: %1 %2")
                          .arg(controllo.erroreDb().number)
                          .arg(controllo.erroreDb().description);
            return false;
        }
        ++riepilogo->righe;
        ++riepilogo->perStato[int(stato)];
        if (!osservatori.riga(celle, stato)) {
            *errore = QString();
            return false;
        }
        if (osservatori.avanzamento && riepilogo->righe % 256 == 0)
            osservatori.avanzamento(elenco.sorgente().avanzamento(), *riepilogo);
    }
    *errore = elenco.sorgente().errore();
    if (!errore->isEmpty())
        return false;
    if (osservatori.avanzamento)
        osservatori.avanzamento(1.0, *riepilogo);
    return true;
}
