// SPDX-License-Identifier: MIT
#include "elenco/elenco.h"

#include "elenco/lettorecsv.h"

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
    auto csv = std::make_unique<LettoreCsv>(&m_file, standard ? 0 : m_file.size());
    if (!csv->apri() || !csv->leggi(&m_intestazione)) {
        m_errore = csv->errore().isEmpty() ? QStringLiteral("il file %1 è vuoto").arg(percorso) : csv->errore();
        return false;
    }
    m_separatore = csv->separatore();
    m_codifica = csv->codifica();
    m_sorgente = std::move(csv);
    colonne = riconosciColonne(m_intestazione);
    return true;
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
