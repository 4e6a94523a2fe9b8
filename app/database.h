// SPDX-License-Identifier: MIT
#pragma once

// Access to the reference database DatiAtto.mdb, an SQLite file that the
// program only reads. Failures are values: an error number and a description,
// which the windows turn into their Italian messages. The numbers are
// SQLite's own result codes, except for the few conditions the program tells
// apart by number (a missing file, a missing field, no current row, a null
// value), which keep the numbers the program's messages have always shown.

#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariantList>

struct DbError
{
    int number = 0;
    QString description;

    bool failed() const { return number != 0; }

    static constexpr int FileNotFound = 3024;
    static constexpr int NoCurrentRecord = 3021;
    static constexpr int FieldNotFound = 3265;
    static constexpr int InvalidUseOfNull = 94;
};

class Database
{
public:
    Database();
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens the file read-only and shared. Never creates a file: a path that
    // is not an existing file fails with DbError::FileNotFound.
    DbError open(const QString &path);
    void close();
    QSqlDatabase connection() const;

    // Runs a query and collects one field of every row as text, in the order
    // the rows come; a null value gives an empty text.
    DbError readColumn(const QString &sql, const QString &field, QStringList *values) const;
    // The same for several fields: one list of texts per row, the fields in
    // the order given; `values` are bound to the query's placeholders.
    DbError readRows(const QString &sql, const QStringList &fields, QList<QStringList> *rows,
                     const QVariantList &values = {}) const;

private:
    QString m_connectionName;
};

// A result with a current row whose fields are read by name: either a table
// searched through one of its indexes, or the first row of a query.
class Recordset
{
public:
    // Prepares seeks on `table` in the order of index `index`, which must
    // exist and cover `keyField` without regard to case; the first row in
    // that order becomes current.
    DbError openTable(const Database &db, const QString &table, const QString &index,
                      const QString &keyField);
    // Makes current the first row whose key is greater than or equal to `key`
    // in index order, ignoring case; sets noMatch() when there is none.
    DbError seek(const QString &key);

    // Runs a query with bound values; its first row becomes current.
    DbError openQuery(const Database &db, const QString &sql, const QVariantList &values = {});
    // Zero exactly when the query matched no row.
    int recordCount() const { return m_hasRow ? 1 : 0; }

    bool noMatch() const { return !m_hasRow; }
    DbError field(const QString &name, QString *value) const;
    void close();

private:
    DbError takeFirstRow(QSqlQuery &query);

    QSqlQuery m_seek;
    QSqlRecord m_row;
    bool m_hasRow = false;
};
