// SPDX-License-Identifier: MIT
#pragma once

class QSqlDatabase;

// Name of the collation that compares text ignoring case in the Unicode sense
// ("CITTÀ" equals "Città", not only the ASCII letters as SQLite's NOCASE does).
// The index on the municipalities' names is built with it, and every query
// that compares names or provinces names it explicitly, so a connection must
// register it before it touches the data.
inline constexpr char CollazioneSenzaMaiuscole[] = "NOCASEU";

// Registers the collation on an open SQLite connection. False when the
// connection is not an open SQLite one.
bool registraCollazione(const QSqlDatabase &db);
