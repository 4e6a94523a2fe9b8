// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The statements of the program's own schema, data/schema.sql.
QStringList schemaDatiAtto();

// A few places and VAT offices whose codes the tests know by heart: Roma
// H501 RM, Milano F205 MI, Forlì D704 FC, Romano Canavese H511 TO, Rovigo
// H620 RO, Città di Castello C745 PG, Sant'Agata de' Goti I197 BN, Reggio
// nell'Emilia H223 RE, Castel San Pietro Terme C265 BO; the foreign states
// Francia Z110, Germania Z112 and Stati Uniti d'America Z404; the offices
// "001 Torino", "058 Roma" and "100 Roma".
QStringList righeDiEsempio();

// The statement that adds a row to Comuni; a null field is stored as NULL.
QString rigaComune(const QString &nome, const QString &prov, const QString &comcode, const QString &catastale,
                   const QString &cap = QLatin1String(""));
// The statement that adds a VAT office, "890 Primo ufficio", to CodiciUfficioIva.
QString rigaUfficioIva(const QString &ufficio);

// Creates a database file by running `statements` on a writable connection
// that knows the program's collation. An empty list makes an empty file.
// False, with a warning, when a statement fails.
bool creaDatabase(const QString &percorso, const QStringList &statements);

// The bytes of a file, hashed: proof that nothing wrote to it.
QByteArray impronta(const QString &percorso);
