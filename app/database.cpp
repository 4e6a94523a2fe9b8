// SPDX-License-Identifier: MIT
#include "app/database.h"

#include "app/collazione.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

namespace {

DbError fromSql(const QSqlError &error)
{
    DbError e;
    bool numeric = false;
    e.number = error.nativeErrorCode().toInt(&numeric);
    if (!numeric || e.number == 0)
        e.number = 1; // SQLITE_ERROR: the driver failed before SQLite gave a code
    e.description = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    return e;
}

DbError error(int number, const QString &description)
{
    return DbError{number, description};
}

QString quoted(const QString &identifier)
{
    QString q = identifier;
    return QLatin1Char('"') + q.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

Database::Database()
{
    static QAtomicInt counter;
    m_connectionName = QStringLiteral("DatiAtto-%1").arg(counter.fetchAndAddRelaxed(1));
}

Database::~Database()
{
    close();
}

DbError Database::open(const QString &path)
{
    close();
    if (!QFileInfo(path).isFile())
        return error(DbError::FileNotFound, QStringLiteral("Impossibile trovare il file '%1'.").arg(path));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(path);
    // Read-only keeps the user's file byte for byte as it was; a writer holding
    // a lock makes reads wait a little and then fail rather than hang.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=1000"));
    if (!db.open())
        return fromSql(db.lastError());
    if (!registraCollazione(db))
        return error(1, QStringLiteral("La connessione non è un database SQLite."));
    return {};
}

void Database::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

DbError Database::readColumn(const QString &sql, const QString &field, QStringList *values) const
{
    QList<QStringList> rows;
    const DbError e = readRows(sql, {field}, &rows);
    for (const QStringList &row : std::as_const(rows))
        values->append(row.constFirst());
    return e;
}

DbError Database::readRows(const QString &sql, const QStringList &fields, QList<QStringList> *rows,
                           const QVariantList &values) const
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return fromSql(query.lastError());
    for (const QVariant &v : values)
        query.addBindValue(v);
    if (!query.exec())
        return fromSql(query.lastError());
    QList<int> columns;
    for (const QString &field : fields) {
        const int column = query.record().indexOf(field);
        if (column < 0)
            return error(DbError::FieldNotFound, QStringLiteral("Elemento non trovato in questo insieme: %1.").arg(field));
        columns.append(column);
    }
    while (query.next()) {
        QStringList row;
        for (int column : std::as_const(columns))
            row.append(query.value(column).toString());
        rows->append(row);
    }
    if (query.lastError().isValid())
        return fromSql(query.lastError());
    return {};
}

DbError Recordset::openTable(const Database &db, const QString &table, const QString &index,
                             const QString &keyField)
{
    close();
    m_seek = QSqlQuery(db.connection());
    m_seek.setForwardOnly(true);
    // INDEXED BY makes a missing index, or one that does not order the key
    // without regard to case, an error here instead of a silent table scan.
    const QString sql = QStringLiteral("SELECT * FROM %1 INDEXED BY %2 WHERE %3 >= ? COLLATE %4 "
                                       "ORDER BY %3 COLLATE %4 LIMIT 1")
                            .arg(quoted(table), quoted(index), quoted(keyField),
                                 QLatin1String(CollazioneSenzaMaiuscole));
    if (!m_seek.prepare(sql))
        return fromSql(m_seek.lastError());
    // An index that heeds case would still be taken, for a scan of the whole
    // table at every seek: refuse it.
    QSqlQuery info(db.connection());
    if (!info.exec(QStringLiteral("PRAGMA index_xinfo(%1)").arg(quoted(index))) || !info.next())
        return fromSql(info.lastError());
    if (info.value(2).toString().compare(keyField, Qt::CaseInsensitive) != 0
        || info.value(4).toString().compare(QLatin1String(CollazioneSenzaMaiuscole), Qt::CaseInsensitive) != 0)
        return error(1, QStringLiteral("L'indice %1 non ordina %2 senza distinzione tra maiuscole e minuscole.")
                            .arg(index, keyField));
    return seek(QString(""));
}

DbError Recordset::seek(const QString &key)
{
    m_seek.addBindValue(key);
    if (!m_seek.exec()) {
        m_hasRow = false;
        return fromSql(m_seek.lastError());
    }
    return takeFirstRow(m_seek);
}

DbError Recordset::openQuery(const Database &db, const QString &sql, const QVariantList &values)
{
    close();
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return fromSql(query.lastError());
    for (const QVariant &v : values)
        query.addBindValue(v);
    if (!query.exec())
        return fromSql(query.lastError());
    return takeFirstRow(query);
}

DbError Recordset::takeFirstRow(QSqlQuery &query)
{
    m_hasRow = query.next();
    m_row = m_hasRow ? query.record() : QSqlRecord();
    const QSqlError e = query.lastError();
    query.finish();
    if (e.isValid())
        return fromSql(e);
    return {};
}

DbError Recordset::field(const QString &name, QString *value) const
{
    if (!m_hasRow)
        return error(DbError::NoCurrentRecord, QStringLiteral("Nessun record corrente."));
    const int column = m_row.indexOf(name);
    if (column < 0)
        return error(DbError::FieldNotFound, QStringLiteral("Elemento non trovato in questo insieme: %1.").arg(name));
    const QVariant v = m_row.value(column);
    if (v.isNull())
        return error(DbError::InvalidUseOfNull, QStringLiteral("Uso non valido di Null"));
    *value = v.toString();
    return {};
}

void Recordset::close()
{
    m_seek = QSqlQuery();
    m_row = QSqlRecord();
    m_hasRow = false;
}
