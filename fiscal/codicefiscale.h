// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QString>

// Builds the 16-character Italian personal tax code and returns it grouped as
// "RSS MRA 80A01 H501U". A pure function of its five inputs.
//
// The names count with the letters lettereDelNome() gives them ("Noè" as NOE,
// "Weiß" as WEISS): spaces, apostrophes, digits and other scripts are skipped. The place code is used as given,
// without trimming or case change; any character of the code that the check
// tables do not hold (a "?" for a place that was not found) is worth 16383 in
// the check sum, and the last group is always the last five characters, so a
// place code of another length than four shows up in the result rather than
// being hidden.
QString CalcoloCodFis(const QString &cognome, const QString &nome, const QDate &dataNascita,
                      const QString &sesso, const QString &codiceLuogo);

// The check character of a code's first fifteen characters, as the code
// computed above ends with it; positions past the end of a shorter text are
// worth 0.
QChar CarattereControllo(const QString &codice);

// A code written in the four groups of the result above, cut by position:
// characters 1-3, 4-6, 7-11 and the last five ("RSS MRA 80A01 H501U").
QString CodiceRaggruppato(const QString &codice);
