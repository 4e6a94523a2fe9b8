// SPDX-License-Identifier: MIT
#pragma once

#include "elenco/righe.h"

#include <memory>


// Whether the bytes at the start of a file are those of a zip archive, the
// container of .xlsx and .ods spreadsheets.
bool archivioZip(const QByteArray &inizio);

// The first sheet of an .xlsx or .ods spreadsheet, read a row at a time from
// its XML without unpacking the archive. Cells come as text: numbers as
// written (an integer without decimals), dates as dd/MM/yyyy. An archive
// whose sheet would unpack to far more than its packed size (a zip bomb), or
// that holds no spreadsheet, is refused with its reason; then the result is
// null and `errore` says why.
std::unique_ptr<SorgenteRighe> apriFoglio(const QString &percorso, QString *errore);
