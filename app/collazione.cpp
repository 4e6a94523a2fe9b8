// SPDX-License-Identifier: MIT
#include "app/collazione.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QStringView>
#include <QVariant>
#include <sqlite3.h>

namespace {

// SQLite hands the texts over as native UTF-16, which is QString's own form,
// so no conversion is needed.
int confrontaSenzaMaiuscole(void *, int lunghezzaA, const void *a, int lunghezzaB, const void *b)
{
    const QStringView testoA(static_cast<const QChar *>(a), lunghezzaA / 2);
    const QStringView testoB(static_cast<const QChar *>(b), lunghezzaB / 2);
    return testoA.compare(testoB, Qt::CaseInsensitive);
}

} // namespace

bool registraCollazione(const QSqlDatabase &db)
{
    if (!db.isOpen() || !db.driver())
        return false;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3 *connessione = *static_cast<sqlite3 *const *>(handle.data());
    return connessione
           && sqlite3_create_collation(connessione, CollazioneSenzaMaiuscole, SQLITE_UTF16, nullptr,
                                       confrontaSenzaMaiuscole)
                  == SQLITE_OK;
}
