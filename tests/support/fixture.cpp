// SPDX-License-Identifier: MIT
#include "support/fixture.h"

#include "app/collazione.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>

QStringList schemaDatiAtto()
{
    QFile file(QStringLiteral(BRANTOVEL_SCHEMA));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", BRANTOVEL_SCHEMA);
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    QStringList statements;
    for (const QString &s : text.split(QLatin1Char(';')))
        if (!s.trimmed().isEmpty())
            statements << s.trimmed();
    return statements;
}

QStringList righeDiEsempio()
{
    const char *const comuni[][3] = {
        {"Roma", "RM", "H501"},
        {"Milano", "MI", "F205"},
        {"Forlì", "FC", "D704"},
        {"Romano Canavese", "TO", "H511"},
        {"Rovigo", "RO", "H620"},
        {"Città di Castello", "PG", "C745"},
        {"Sant'Agata de' Goti", "BN", "I197"},
        {"Reggio nell'Emilia", "RE", "H223"},
        {"Castel San Pietro Terme", "BO", "C265"},
        {"Francia", "EE", "Z110"},
        {"Germania", "EE", "Z112"},
        {"Stati Uniti d'America", "EE", "Z404"},
    };
    QStringList righe;
    for (const auto &c : comuni)
        righe << rigaComune(QString::fromUtf8(c[0]), QLatin1String(c[1]), QLatin1String(c[2]), QLatin1String(c[2]));
    for (const char *ufficio : {"001 Torino", "058 Roma", "100 Roma"})
        righe << rigaUfficioIva(QLatin1String(ufficio));
    return righe;
}

bool creaDatabase(const QString &percorso, const QStringList &statements)
{
    QFile::remove(percorso);
    if (statements.isEmpty()) {
        QFile empty(percorso);
        return empty.open(QIODevice::WriteOnly);
    }
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        db.setDatabaseName(percorso);
        ok = db.open() && registraCollazione(db);
        for (const QString &s : statements) {
            QSqlQuery q(db);
            if (ok && !q.exec(s)) {
                qWarning("fixture: %s: %s", qPrintable(s), qPrintable(q.lastError().text()));
                ok = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    return ok;
}

QByteArray impronta(const QString &percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QString rigaComune(const QString &nome, const QString &prov, const QString &comcode, const QString &catastale,
                   const QString &cap)
{
    QStringList valori;
    for (const QString &v : {nome, prov, comcode, catastale, cap})
        valori << (v.isNull() ? QStringLiteral("NULL") : u'\'' + QString(v).replace(u'\'', QLatin1String("''")) + u'\'');
    return QStringLiteral("INSERT INTO Comuni VALUES (%1)").arg(valori.join(QLatin1String(", ")));
}

QString rigaUfficioIva(const QString &ufficio)
{
    return QStringLiteral("INSERT INTO CodiciUfficioIva VALUES ('%1')").arg(QString(ufficio).replace(u'\'', QLatin1String("''")));
}
