// SPDX-License-Identifier: MIT
#pragma once

#include "app/database.h"

#include <QDate>

// How current the place data are: the newest day on which a place began or
// ceased to be in use (Setteville, formed on 22/01/2024). Null when the data
// hold no periods.
DbError dataDeiLuoghi(const Database &db, QDate *giorno);

// "Dati dei luoghi aggiornati al 22/01/2024"; empty for a null day.
QString testoAggiornamento(const QDate &giorno);
