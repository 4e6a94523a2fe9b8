// SPDX-License-Identifier: MIT
#pragma once

#include "app/database.h"
#include "luoghi/aggiornaluoghi.h"

#include <QDate>

// How current the place data are: the newest day on which a place began or
// ceased to be in use (Setteville, formed on 22/01/2024) or, in the user's
// file, took a new name or province by the register loaded. Null when the
// data hold no periods. `confermato`, if given, gets the date of the data the
// user chose to replace with an older register (null if none).
DbError dataDeiLuoghi(const Database &db, QDate *giorno, QDate *confermato = nullptr);

// "Dati dei luoghi aggiornati al 22/01/2024"; empty for a null day.
QString testoAggiornamento(const QDate &giorno);

// For the help window: how current the data are and whose file holds them,
// the installed one or the user's (removing which goes back to the former).
QString testoDatiInUso(const QString &percorso, const QDate &giorno);

// The place tables of the reference data, with their date.
DbError leggiDatiLuoghi(const Database &db, DatiLuoghi *dati);

// Writes `dati` into a copy of the reference file `origine` (its other tables
// unchanged) and puts the copy at `destinazione` whole, replacing any file
// there only once the copy is complete. The copy also records the user's
// confirmation of an older register (DatiLuoghi::confermato). False, with the
// reason, on failure: then nothing at `destinazione` has changed.
bool scriviDatiLuoghi(const QString &origine, const QString &destinazione, const DatiLuoghi &dati, QString *errore);

// The user's own reference file, made by loading a register: in the
// platform's per-user data folder.
QString datiAttoUtente();

// The reference file to use: the user's own where it exists and either its
// data are not older than the installed one's or the user chose them over
// data no older than the installed ones (a later release with newer data wins
// again); else the installed one.
QString datiAttoInUso(const QString &installato);
