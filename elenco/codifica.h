// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// The encodings a text table arrives in: UTF-8 (with or without the byte-order
// mark), UTF-16 as "Unicode text" from a spreadsheet, and Windows-1252, what
// spreadsheets save on Italian Windows.
enum class Codifica { Utf8, Utf8Bom, Utf16Le, Utf16Be, Windows1252 };

// The encoding of a table from its first bytes: a byte-order mark decides;
// otherwise bytes that are valid UTF-8 are UTF-8, anything else Windows-1252.
Codifica riconosciCodifica(const QByteArray &inizio);
// Length of the byte-order mark that starts text of this encoding.
int lunghezzaBom(Codifica c);
QString testoWindows1252(const QByteArray &byte);
// Characters that Windows-1252 cannot hold become "?".
QByteArray byteWindows1252(const QString &testo);
