// SPDX-License-Identifier: MIT
// Loading the whole register of municipalities (about 19,000 rows) into the
// shipped place data: read, check, build the periods and merge, on one core.
// The baseline reads the same file with Qt alone, line by line into strings.
#include "app/datiluoghi.h"
#include "misura.h"

#include <QFile>
#include <QTextStream>

int main()
{
    QFile file(QStringLiteral(BRANTOVEL_REGISTRO));
    DatiLuoghi spediti;
    Database db;
    if (!file.open(QIODevice::ReadOnly) || db.open(QStringLiteral(BRANTOVEL_DATIATTO)).failed() ||
        leggiDatiLuoghi(db, &spediti).failed())
        qFatal("cannot read %s or %s", BRANTOVEL_REGISTRO, BRANTOVEL_DATIATTO);
    const QByteArray testo = file.readAll();
    volatile qsizetype scarto = 0;

    const double caricamenti = operazioniAlSecondo(
        [&] {
            DatiLuoghi dati = spediti;
            QList<RigaRegistro> righe;
            ModificheLuoghi modifiche;
            QString errore;
            if (!leggiRegistro(testo, &righe, &errore) || !aggiornaLuoghi(&dati, righe, &modifiche, &errore))
                qFatal("%s", qPrintable(errore));
            scarto = scarto + dati.luoghi.size();
        },
        1);
    const double letture = operazioniAlSecondo(
        [&] {
            QStringList righe = QString::fromUtf8(testo).split(QLatin1Char('\n'));
            for (const QString &r : std::as_const(righe))
                scarto = scarto + r.split(QLatin1Char(',')).size();
        },
        1);

    QTextStream out(stdout);
    out << "Caricamento dell'archivio dei comuni, un processore, " << testo.size() << " byte" << Qt::endl;
    out << "  riferimento, leggere il file con Qt (righe e campi): " << QString::number(1000 / letture, 'f', 1) << " ms"
        << Qt::endl;
    out << "  rapporto caricamento / riferimento: " << QString::number(letture / caricamenti, 'f', 2) << Qt::endl;
    confronta(QStringLiteral("caricamento"), QString::number(1000 / caricamenti, 'f', 1) + QStringLiteral(" ms"),
              QStringLiteral("< 1000 ms"), caricamenti > 1);
    return 0;
}
