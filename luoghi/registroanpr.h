// SPDX-License-Identifier: MIT
#pragma once

// The Interior Ministry's register of municipalities (ANPR): every period in
// which a cadastral code kept the same name, province and ISTAT code, since
// 1861. Two editions are read: the Ministry's own file (ANPR_archivio_comuni.csv,
// upper-case Italian column names, byte-order mark, quoted fields) and a 2024
// re-export with English column names. Both give the same rows.

#include <QByteArray>
#include <QChar>
#include <QDate>
#include <QList>
#include <QString>

struct RigaRegistro
{
    QString codice;  // cadastral code, the place part of a fiscal code
    QDate dal;       // first day of this row's period
    QDate al;        // last day; null while the row is current
    QString nome;    // official Italian name, upper case; of a bilingual one the Italian part
    QString sigla;   // province abbreviation in this period
    QChar stato;     // 'A' current, 'C' ceased, 'D' announced, not yet in force
    QDate aggiornato; // the row's last update
};

// Reads the whole file. On failure returns false and, in Italian, the first
// problem found ("riga 12: data non valida ..."): a file that is not the
// register, truncated or with missing columns yields no rows at all.
bool leggiRegistro(const QByteArray &testo, QList<RigaRegistro> *righe, QString *errore);
