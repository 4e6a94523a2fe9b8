// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The letters a name gives to the fiscal code: the name transliterated into
// the 26 capital letters A to Z, everything else left out ("Noè" → "NOE",
// "Weiß" → "WEISS", "D'Angelo" → "DANGELO").
//
// A vowel with an accent is the plain vowel; Ä and Æ are AE, Ö and Œ are OE,
// Ü is UE, ß is SS; any other Latin letter with a diacritic is its base letter
// (Ñ → N, Č → C, Ø → O, Ł → L), in either case. Letters of other scripts,
// digits, blanks and signs give nothing. A name written with combining marks
// ("E" followed by a combining grave accent) gives what its composed form does.
QString lettereDelNome(const QString &nome);
