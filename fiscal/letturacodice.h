// SPDX-License-Identifier: MIT
#pragma once

#include "fiscal/luogodelcodice.h"
#include "fiscal/verificacodice.h"

#include <QDate>
#include <QString>

// What a valid fiscal code says of its holder, in the words the verify window
// and the list check both show: omocodia and base code, sex, date of birth
// (the likelier century first), place with its province on that date, and
// the warning when the place did not exist then.
struct LetturaCodice
{
    QString omocodia;
    QString sesso;
    QString data;
    QString luogo; // empty for a code of no known place
    QString avviso;
};

LetturaCodice leggiCodice(const EsitoCodFis &esito, const LuogoDelCodice &luogo, const QDate &oggi);

// dd/MM/yyyy.
QString testoGiorno(const QDate &d);
