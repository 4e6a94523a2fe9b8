// SPDX-License-Identifier: MIT
#pragma once

// From the register's rows to the periods in which each code was in use, the
// rows of tables ValiditaLuoghi and ProvinceLuoghi.

#include "luoghi/registroanpr.h"

#include <QMap>

struct PeriodoLuogo
{
    QDate dal;     // null: in use since before the register's first record
    QDate al;      // null: still in use
    QString sigla; // the province in the period (only for province periods)
};

// Every period of every code that was in use on or after 1 January 1920. A
// code's rows that follow one another without a day in between are one
// period: a new name or province does not interrupt the code. A day left out
// between two rows is a real gap (Monserrato, part of Cagliari from 1928 to
// 1991). A first period that starts by 31 December 1924 is open at the start:
// the register begins there, not the place.
QMap<QString, QList<PeriodoLuogo>> periodiDelRegistro(const QList<RigaRegistro> &righe);

// The same codes' periods of one province each: consecutive rows in the same
// province are one period, with the same open start.
QMap<QString, QList<PeriodoLuogo>> provinceDelRegistro(const QList<RigaRegistro> &righe);
