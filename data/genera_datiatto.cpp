// SPDX-License-Identifier: MIT
//
// Builds DatiAtto.mdb from the schema and the tab-separated text files under
// data/: genera_datiatto OUT.mdb schema.sql Table=file.tsv [Table=file.tsv ...]
// Each text file starts with a header naming the table's fields; every other
// line is one row. The file is written beside OUT and renamed over it only when
// complete, so a failed build never leaves a half-made database behind.

#include "app/collazione.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {

bool fail(const QString &message)
{
    std::fprintf(stderr, "genera_datiatto: %s\n", qPrintable(message));
    return false;
}

bool runSchema(QSqlDatabase &db, const QString &schemaPath)
{
    QFile file(schemaPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("cannot read %1").arg(schemaPath));
    QString text = QString::fromUtf8(file.readAll());
    QStringList lines = text.split(QLatin1Char('\n'));
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const QString &l) { return l.trimmed().startsWith(QLatin1String("--")); }),
                lines.end());
    for (const QString &statement : lines.join(QLatin1Char('\n')).split(QLatin1Char(';'))) {
        if (statement.trimmed().isEmpty())
            continue;
        QSqlQuery q(db);
        if (!q.exec(statement))
            return fail(q.lastError().text());
    }
    return true;
}

bool importTable(QSqlDatabase &db, const QString &table, const QString &tsvPath)
{
    QFile file(tsvPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("cannot read %1").arg(tsvPath));
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    const QStringList fields = in.readLine().split(QLatin1Char('\t'));
    QStringList marks;
    for (int i = 0; i < fields.size(); ++i)
        marks << QStringLiteral("?");
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, fields.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
        return fail(insert.lastError().text());
    int lineNumber = 1;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNumber;
        const QStringList values = line.split(QLatin1Char('\t'));
        if (values.size() != fields.size())
            return fail(QStringLiteral("%1:%2: %3 fields instead of %4")
                            .arg(tsvPath).arg(lineNumber).arg(values.size()).arg(fields.size()));
        for (const QString &v : values)
            insert.addBindValue(QString(v.isNull() ? QString("") : v)); // empty text, never null
        if (!insert.exec())
            return fail(QStringLiteral("%1:%2: %3").arg(tsvPath).arg(lineNumber).arg(insert.lastError().text()));
    }
    return true;
}

bool build(const QString &path, const QStringList &args)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("genera"));
    db.setDatabaseName(path);
    if (!db.open() || !registraCollazione(db))
        return fail(QStringLiteral("cannot create %1: %2").arg(path, db.lastError().text()));
    if (!db.transaction() || !runSchema(db, args.at(0)))
        return false;
    for (const QString &arg : args.mid(1)) {
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return fail(QStringLiteral("expected Table=file.tsv, got %1").arg(arg));
        if (!importTable(db, arg.left(eq), arg.mid(eq + 1)))
            return false;
    }
    return db.commit() || fail(db.lastError().text());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return fail(QStringLiteral("usage: genera_datiatto OUT.mdb schema.sql Table=file.tsv ...")), 2;

    const QString out = args.at(0);
    const QString partial = out + QStringLiteral(".partial");
    QFile::remove(partial);
    const bool ok = build(partial, args.mid(1));
    QSqlDatabase::removeDatabase(QStringLiteral("genera"));
    if (!ok) {
        QFile::remove(partial);
        return 1;
    }
    QFile::remove(out);
    return QFile::rename(partial, out) ? 0 : (fail(QStringLiteral("cannot write %1").arg(out)), 1);
}
