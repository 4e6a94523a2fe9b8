// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QString>
#include <optional>

// Recognises a date of birth written as an Italian office would write it:
// day, month and year in that order, separated by "/", "-" or "." ("1/1/1980",
// "01-01-80", "1.1.1980"), or with the month written out in Italian and blanks
// around it ("1 gennaio 1980", any case, also the three-letter abbreviation
// "1 gen 1980"). Two-digit years 00 to 29 mean 2000 to 2029, 30 to 99 mean
// 1930 to 1999. Surrounding blanks are ignored. Impossible dates (31/02/1980)
// are not dates. The same recogniser decides validity and does the conversion,
// so a text it accepts always converts.
std::optional<QDate> riconosciData(const QString &testo);
