// SPDX-License-Identifier: MIT
#pragma once

// How place names are written and ordered in the reference data: the same
// rules as data/tools/nomi.mjs, which builds the shipped data.

#include <QString>

// The register writes names in capitals; the official names have the Italian
// articles, prepositions and conjunctions in small letters after the first
// word, a capital after an apostrophe or a hyphen, Roman numerals in capitals:
// "SANT'ANGELO DI PIOVE DI SACCO" becomes "Sant'Angelo di Piove di Sacco".
QString correggiMaiuscole(const QString &nome);

// The key of the alphabetical order: without accents, in small letters,
// compared character by character (blank and apostrophe before the letters).
QString chiaveOrdinamento(const QString &nome);

// The key to compare names from different sources: letters and digits only.
QString chiaveConfronto(const QString &nome);
