// SPDX-License-Identifier: MIT
#include "app/datiluoghi.h"

#include "app/collazione.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString giornoIso(const QDate &d)
{
    return d.isNull() ? QString("") : d.toString(Qt::ISODate);
}

void leggiPeriodi(const QList<QStringList> &righe, QMap<QString, QList<PeriodoLuogo>> *periodi)
{
    for (const QStringList &r : righe)
        (*periodi)[r.at(0)].append({QDate::fromString(r.at(1), Qt::ISODate), QDate::fromString(r.at(2), Qt::ISODate), r.value(3)});
}

// Replaces the rows of the place tables on a writable connection.
QString scriviTabelle(QSqlDatabase &db, const DatiLuoghi &dati)
{
    QSqlQuery q(db);
    for (const char *istruzione : {"DROP TABLE IF EXISTS Aggiornamento", "CREATE TABLE Aggiornamento (Data TEXT, Confermato TEXT)",
                                   "DELETE FROM Comuni", "DELETE FROM ValiditaLuoghi", "DELETE FROM ProvinceLuoghi"})
        if (!q.exec(QLatin1String(istruzione)))
            return q.lastError().text();
    if (!q.prepare(QStringLiteral("INSERT INTO Aggiornamento VALUES (?, ?)")))
        return q.lastError().text();
    q.addBindValue(giornoIso(dati.data)), q.addBindValue(giornoIso(dati.confermato));
    if (!q.exec())
        return q.lastError().text();
    if (!q.prepare(QStringLiteral("INSERT INTO Comuni (Nome, PROV, comcode, CodiceCatastale, CAP) VALUES (?, ?, ?, ?, ?)")))
        return q.lastError().text();
    for (const LuogoDati &l : dati.luoghi) {
        q.addBindValue(l.nome), q.addBindValue(l.prov), q.addBindValue(l.codice), q.addBindValue(l.codice);
        q.addBindValue(QString(l.cap.isNull() ? QString("") : l.cap));
        if (!q.exec())
            return q.lastError().text();
    }
    const auto periodi = [&q](const QString &tabella, const QMap<QString, QList<PeriodoLuogo>> &tutti, bool conProvincia) {
        if (!q.prepare(QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?%2)").arg(tabella, conProvincia ? ", ?" : "")))
            return q.lastError().text();
        for (auto it = tutti.cbegin(); it != tutti.cend(); ++it)
            for (const PeriodoLuogo &p : it.value()) {
                q.addBindValue(it.key()), q.addBindValue(giornoIso(p.dal)), q.addBindValue(giornoIso(p.al));
                if (conProvincia)
                    q.addBindValue(p.sigla);
                if (!q.exec())
                    return q.lastError().text();
            }
        return QString();
    };
    QString e = periodi(QStringLiteral("ValiditaLuoghi"), dati.periodi, false);
    return e.isEmpty() ? periodi(QStringLiteral("ProvinceLuoghi"), dati.altreProvince, true) : e;
}

// The user's own file records in table Aggiornamento how current its data are
// (Data: a register that renamed a place leaves no other trace of its day)
// and, when the user chose to load a register older than the data then in
// use, the date of those data (Confermato). The installed file has no such
// table.
DbError leggiAggiornamento(const Database &db, QDate *data, QDate *confermato)
{
    *data = *confermato = {};
    QStringList valori;
    DbError e = db.readColumn(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = 'Aggiornamento'"),
                              QStringLiteral("name"), &valori);
    if (e.failed() || valori.isEmpty())
        return e;
    QList<QStringList> righe;
    e = db.readRows(QStringLiteral("SELECT Data, Confermato FROM Aggiornamento"), {QStringLiteral("Data"), QStringLiteral("Confermato")},
                    &righe);
    if (!e.failed() && !righe.isEmpty()) {
        *data = QDate::fromString(righe.constFirst().at(0), Qt::ISODate);
        *confermato = QDate::fromString(righe.constFirst().at(1), Qt::ISODate);
    }
    return e;
}

} // namespace

DbError dataDeiLuoghi(const Database &db, QDate *giorno, QDate *confermato)
{
    QStringList valori;
    DbError e = db.readColumn(QStringLiteral("SELECT MAX(IFNULL(MAX(Dal), ''), IFNULL(MAX(date(Al, '+1 day')), '')) AS v "
                                             "FROM ValiditaLuoghi"),
                              QStringLiteral("v"), &valori);
    *giorno = e.failed() || valori.isEmpty() ? QDate() : QDate::fromString(valori.constFirst(), Qt::ISODate);
    QDate caricati, scelti;
    if (!e.failed())
        e = leggiAggiornamento(db, &caricati, &scelti);
    if (confermato)
        *confermato = scelti;
    *giorno = std::max(*giorno, caricati);
    return e;
}

QString testoAggiornamento(const QDate &giorno)
{
    return giorno.isNull() ? QString()
                           : QStringLiteral("Dati dei luoghi aggiornati al %1").arg(giorno.toString(QStringLiteral("dd/MM/yyyy")));
}

QString testoDatiInUso(const QString &percorso, const QDate &giorno)
{
    if (giorno.isNull())
        return {};
    if (percorso != datiAttoUtente())
        return testoAggiornamento(giorno) + QStringLiteral(" (installati con il programma)");
    return testoAggiornamento(giorno) + QStringLiteral(" (caricati dall'utente nel file %1; cancellandolo si torna a "
                                                        "quelli installati con il programma)")
                                            .arg(QDir::toNativeSeparators(percorso));
}

DbError leggiDatiLuoghi(const Database &db, DatiLuoghi *dati)
{
    *dati = {};
    QList<QStringList> righe;
    DbError e = db.readRows(QStringLiteral("SELECT Nome, PROV, comcode, CAP FROM Comuni"),
                            {QStringLiteral("Nome"), QStringLiteral("PROV"), QStringLiteral("comcode"), QStringLiteral("CAP")}, &righe);
    for (const QStringList &r : std::as_const(righe))
        dati->luoghi.append({r.at(0), r.at(1), r.at(2), r.at(3)});
    const QStringList campi = {QStringLiteral("comcode"), QStringLiteral("Dal"), QStringLiteral("Al"), QStringLiteral("PROV")};
    righe.clear();
    if (!e.failed())
        e = db.readRows(QStringLiteral("SELECT comcode, Dal, Al FROM ValiditaLuoghi ORDER BY comcode, Dal"), campi.mid(0, 3), &righe);
    leggiPeriodi(righe, &dati->periodi);
    righe.clear();
    if (!e.failed())
        e = db.readRows(QStringLiteral("SELECT * FROM ProvinceLuoghi ORDER BY comcode, Dal"), campi, &righe);
    leggiPeriodi(righe, &dati->altreProvince);
    QDate caricati;
    if (!e.failed())
        e = leggiAggiornamento(db, &caricati, &dati->confermato);
    dati->data = std::max(dataDeiPeriodi(dati->periodi), caricati);
    return e;
}

bool scriviDatiLuoghi(const QString &origine, const QString &destinazione, const DatiLuoghi &dati, QString *errore)
{
    QTemporaryDir cartella;
    const QString copia = cartella.filePath(QStringLiteral("DatiAtto.mdb"));
    if (!cartella.isValid() || !QFile::copy(origine, copia)) {
        *errore = QStringLiteral("impossibile copiare %1").arg(origine);
        return false;
    }
    QFile::setPermissions(copia, QFile::ReadOwner | QFile::WriteOwner);
    const QString connessione = QStringLiteral("scrivi-luoghi");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connessione);
        db.setDatabaseName(copia);
        if (!db.open() || !registraCollazione(db) || !db.transaction())
            *errore = db.lastError().text();
        else if (*errore = scriviTabelle(db, dati), errore->isEmpty() && !db.commit())
            *errore = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(connessione);
    if (!errore->isEmpty())
        return false;
    QFile letto(copia);
    QSaveFile file(destinazione);
    QDir().mkpath(QFileInfo(destinazione).absolutePath());
    if (!letto.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly) || file.write(letto.readAll()) != letto.size() ||
        !file.commit()) {
        *errore = QStringLiteral("impossibile scrivere %1: %2").arg(destinazione, file.errorString());
        return false;
    }
    return true;
}

QString datiAttoUtente()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/DatiAtto.mdb");
}

QString datiAttoInUso(const QString &installato)
{
    const QString utente = datiAttoUtente();
    if (!QFile::exists(utente))
        return installato;
    QDate dataInstallato, dataUtente, confermato;
    {
        Database db;
        if (!db.open(installato).failed())
            dataDeiLuoghi(db, &dataInstallato);
    }
    {
        Database db;
        if (db.open(utente).failed() || dataDeiLuoghi(db, &dataUtente, &confermato).failed())
            return installato;
    }
    return dataUtente >= dataInstallato || dataInstallato <= confermato ? utente : installato;
}
