// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// What a column of a list holds, as far as the checks are concerned.
enum class Ruolo { CodiceFiscale, PartitaIva, Cognome, Nome, Sesso, DataNascita, LuogoNascita, CodiceCatastale };
constexpr int NumeroRuoli = 8;

// The column of each role, -1 where the list has none.
struct Colonne
{
    std::array<int, NumeroRuoli> indice{-1, -1, -1, -1, -1, -1, -1, -1};

    int &operator[](Ruolo r) { return indice[size_t(r)]; }
    int operator[](Ruolo r) const { return indice[size_t(r)]; }
    bool nessuna() const;
};

// The role's name as the interface shows it ("Codice fiscale").
QString nomeRuolo(Ruolo r);

// The roles recognised from a header, in Italian or English, without regard
// to case, accents, blanks, dots, hyphens and underscores ("C.F.", "P.IVA",
// "Data di nascita", "Date of birth"). The first column of a role wins.
Colonne riconosciColonne(const QStringList &intestazione);

// A column named by the user: a header's text as above, or its number
// counting from 1. -1 when there is none.
int colonnaIndicata(const QStringList &intestazione, const QString &nome);

// A date of birth as offices write it: what riconosciData reads
// ("01/02/1980", "1/2/80", "1 febbraio 1980"), ISO dates ("1980-02-01",
// also with a time after them) and a spreadsheet's date serial number (days
// since 30 December 1899).
std::optional<QDate> leggiData(const QString &testo);
