// SPDX-License-Identifier: MIT
// Loading a newer register of municipalities into the reference data: what
// changes, what the user's own file then holds, and that the installed file
// and a refused register change nothing.
#include "app/datiluoghi.h"
#include "fiscal/luogodelcodice.h"
#include "support/fixture.h"
#include "support/tabella.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Lirio = "4993,1861-03-17,9999-12-31,018082,E608,LIRIO,LIRIO,,,18,018,03,PV,active,PV,,2016-06-17,";
const QByteArray Volpara = "11016,1861-03-17,9999-12-31,018183,M119,VOLPARA,VOLPARA,,,18,018,03,PV,active,PV,,2016-06-17,";
const QByteArray SamoneTN = "8439,1947-01-14,9999-12-31,022165,H754,SAMONE,SAMONE,,,22,022,04,TN,active,TN,,2016-06-17,";

// The edition of 2024 with `riga`, one of its current places, ceased on 31/12/2025.
QByteArray cessato(const QByteArray &registro, const QByteArray &riga)
{
    return QByteArray(registro).replace(riga, QByteArray(riga).replace("9999-12-31", "2025-12-31").replace("active", "discontinued"));
}

QByteArray registro2024()
{
    QFile f(QStringLiteral(BRANTOVEL_ANPR "/comuni_anpr_2024.csv"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// `altro`: the name in the other language of a bilingual place.
QByteArray nuovaRiga(const char *dal, const char *al, const char *codice, const char *nome, const char *stato, const char *sigla,
                     const char *altro = "")
{
    return QByteArray("1,") + dal + ',' + al + ",018999," + codice + ",\"" + nome + "\",X,\"" + altro + "\",,18,018,03,," + stato +
           ',' + sigla + ",,2025-01-01,\n";
}

} // namespace

class tst_DatiLuoghi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(datiAttoUtente());
    }

    void cleanup() { QFile::remove(datiAttoUtente()); }

    // modifiche: added|ceased|renamed|moved|codes with new periods.
    // decodificato: the place of `codice` in the user's file, born 01/01/2026.
    // data: how current the user's file says its data are.
    void carica_data()
    {
        colonne<QByteArray, QString, QString, QString, QString>("registro", "modifiche", "codice", "decodificato", "data");
        const QByteArray r = registro2024();
        riga("the edition the data were built from changes nothing", r, "||||0", "M437", "Setteville (BL)|", "22/01/2024");
        riga("a merger: one ceases, its successor goes on", cessato(r, Lirio), "|E608 Lirio (PV)|||1", "E608",
             "Lirio (soppresso nel 2026) (PV)|il 01/01/2026 questo luogo non esisteva più: è esistito fino al 31/12/2025", "01/01/2026");
        riga("a new place, its name as the shipped ones",
             r + nuovaRiga("2025-01-01", "9999-12-31", "M999", "SANT'ANGELO DI PIOVE NUOVO", "active", "PV"),
             "M999 Sant'Angelo di Piove Nuovo (PV)||||1", "M999", "Sant'Angelo di Piove Nuovo (PV)|", "01/01/2025");
        riga("an announced place: in force from its day",
             r + nuovaRiga("2027-01-01", "9999-12-31", "M998", "VALLE LIRIO", "D", "PV"), "M998 Valle Lirio (PV)||||1",
             "M998", "Valle Lirio (PV)|il 01/01/2026 questo luogo non esisteva ancora: è stato istituito il 01/01/2027", "01/01/2027");
        riga("renamed and moved after the data's day",
             QByteArray(r).replace(Volpara, QByteArray(Volpara).replace("9999-12-31", "2024-12-31").replace("active", "discontinued")) +
                 nuovaRiga("2025-01-01", "9999-12-31", "M119", "VOLPARA TERME", "active", "PC"),
             "||M119 Volpara → Volpara Terme|M119 Volpara (PV) → PC|0", "M119", "Volpara Terme (PC)|", "01/01/2025");
        riga("a new place of an existing one's name: both take their province",
             r + nuovaRiga("2025-01-01", "9999-12-31", "M999", "CALLIANO", "active", "PV"),
             "M999 Calliano (PV)||B419 Calliano → Calliano (TN)||1", "B419", "Calliano (TN)|", "01/01/2025");
        riga("a third place of a name already shared", r + nuovaRiga("2025-01-01", "9999-12-31", "M999", "SAMONE", "active", "PV"),
             "M999 Samone (PV)||||1", "M999", "Samone (PV)|", "01/01/2025");
        riga("bilingual with a hyphen: the Italian name",
             r + nuovaRiga("2025-01-01", "9999-12-31", "M999", "SAN PIETRO DEL CARSO-ŠENTPETER NA KRASU", "active", "TS",
                           "COMUNE DI SAN PIETRO DEL CARSO-OBCINA ŠENTPETER NA KRASU"),
             "M999 San Pietro del Carso (TS)||||1", "M999", "San Pietro del Carso (TS)|", "01/01/2025");
        riga("bilingual with a slash; a hyphen of the Italian name stays",
             r + nuovaRiga("2025-01-01", "9999-12-31", "M999", "VALLE-LAGO NUOVO/NEU-SEETAL", "active", "BZ", "NEU-SEETAL"),
             "M999 Valle-Lago Nuovo (BZ)||||1", "M999", "Valle-Lago Nuovo (BZ)|", "01/01/2025");
        riga("a name no longer shared loses the province", cessato(r, SamoneTN), "|H754 Samone (TN)|H753 Samone (TO) → Samone||1",
             "H753", "Samone (TO)|", "01/01/2026");
        riga("a new place already ceased, a Roman numeral in its name",
             r + nuovaRiga("2025-01-01", "2025-06-30", "M999", "VILLA XXIII MARZO", "discontinued", "PV"), "M999 Villa XXIII Marzo "
             "(soppresso nel 2025) (PV)||||1", "M999", "Villa XXIII Marzo (soppresso nel 2025) (PV)|il 01/01/2026 questo luogo non "
             "esisteva più: è esistito fino al 30/06/2025", "01/07/2025");
    }

    void carica()
    {
        QFETCH(QByteArray, registro);
        QFETCH(QString, codice);
        const QString installato = QStringLiteral(BRANTOVEL_DATIATTO);
        const QByteArray prima = impronta(installato);
        DatiLuoghi dati, originali;
        {
            Database db;
            QVERIFY(!db.open(installato).failed() && !leggiDatiLuoghi(db, &dati).failed());
        }
        originali = dati;
        QList<RigaRegistro> righe;
        ModificheLuoghi m;
        QString errore;
        QVERIFY2(leggiRegistro(registro, &righe, &errore) && aggiornaLuoghi(&dati, righe, &m, &errore), qPrintable(errore));
        QTEST(QStringList({m.aggiunti.join(','), m.cessati.join(','), m.rinominati.join(','), m.spostati.join(','),
                           QString::number(m.periodiCambiati)})
                  .join(QLatin1Char('|')),
              "modifiche");
        if (m.vuote()) {
            QCOMPARE(dati.luoghi.size(), originali.luoghi.size());
            for (qsizetype i = 0; i < dati.luoghi.size(); ++i)
                QCOMPARE(dati.luoghi.at(i).nome + dati.luoghi.at(i).codice, originali.luoghi.at(i).nome + originali.luoghi.at(i).codice);
        }
        QVERIFY2(scriviDatiLuoghi(installato, datiAttoUtente(), dati, &errore), qPrintable(errore));
        QCOMPARE(impronta(installato), prima);
        QCOMPARE(datiAttoInUso(installato), datiAttoUtente());
        Database db;
        LuogoDelCodice luogo;
        QVERIFY(!db.open(datiAttoUtente()).failed() && !cercaLuogoDelCodice(db, codice, &luogo).failed());
        const QDate nascita(2026, 1, 1);
        QTEST(testoLuogo(luogo, nascita) + QLatin1Char('|') + avvisoLuogo(luogo, codice, {nascita, {}}), "decodificato");
        QDate giorno;
        QVERIFY(!dataDeiLuoghi(db, &giorno).failed());
        QTEST(giorno.toString(QStringLiteral("dd/MM/yyyy")), "data");
        QCOMPARE(testoDatiInUso(datiAttoUtente(), QDate(2025, 1, 1)),
                 "Dati dei luoghi aggiornati al 01/01/2025 (caricati dall'utente nel file " +
                     QDir::toNativeSeparators(datiAttoUtente()) + "; cancellandolo si torna a quelli installati con il programma)");
        QCOMPARE(testoDatiInUso(installato, QDate(2024, 1, 22)),
                 QStringLiteral("Dati dei luoghi aggiornati al 22/01/2024 (installati con il programma)"));
    }

    // The day of the installed data; of the user's file (none when empty) and
    // of the data the user confirmed replacing with it.
    void scelta_data()
    {
        colonne<QString, QString, QString, bool>("installato", "utente", "confermato", "dellUtente");
        riga("no file of the user's", "2024-01-22", "", "", false);
        riga("the user's newer", "2024-01-22", "2025-01-01", "", true);
        riga("of the same day", "2024-01-22", "2024-01-22", "", true);
        riga("the user's older, never confirmed", "2024-01-22", "2023-06-01", "", false);
        riga("older, confirmed over the installed data", "2024-01-22", "2023-06-01", "2024-01-22", true);
        riga("older, confirmed over newer data of the user's", "2024-01-22", "2023-06-01", "2025-01-01", true);
        riga("a release newer than what was confirmed", "2025-01-01", "2023-06-01", "2024-01-22", false);
    }

    void scelta()
    {
        QFETCH(QString, installato);
        QFETCH(QString, utente);
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("DatiAtto.mdb"));
        QVERIFY(creaDatabase(file, schemaDatiAtto() << QStringLiteral("INSERT INTO ValiditaLuoghi VALUES ('M437', '%1', '')")
                                                           .arg(installato)));
        if (!utente.isEmpty()) {
            QFETCH(QString, confermato);
            DatiLuoghi dati;
            dati.periodi.insert(QStringLiteral("M437"), {{QDate::fromString(utente, Qt::ISODate), {}, {}}});
            dati.confermato = QDate::fromString(confermato, Qt::ISODate);
            QString errore;
            QVERIFY2(scriviDatiLuoghi(file, datiAttoUtente(), dati, &errore), qPrintable(errore));
            // Read back and written again, as a later load does.
            {
                Database db;
                QVERIFY(!db.open(datiAttoUtente()).failed() && !leggiDatiLuoghi(db, &dati).failed());
            }
            QVERIFY2(scriviDatiLuoghi(datiAttoUtente(), datiAttoUtente(), dati, &errore), qPrintable(errore));
        }
        QTEST(datiAttoInUso(file) == datiAttoUtente(), "dellUtente");
    }

    // A load that cannot be written says why; the data read and the file where it would go stay as they were.
    void nonScritto_data()
    {
        colonne<QStringList, bool, QString>("origine", "cartellaBloccata", "errore");
        const QStringList schema = schemaDatiAtto();
        riga("the data in use gone", QStringList(), false, "impossibile copiare ORIGINE");
        riga("a database of other tables", QStringList{"CREATE TABLE Altro (x)"}, false, "no such table: Comuni Unable to execute statement");
        riga("places without postcodes", schema + QStringList{"DROP TABLE Comuni", "CREATE TABLE Comuni (Nome, PROV, comcode, CodiceCatastale)"},
             false, "table Comuni has no column named CAP Unable to execute statement");
        riga("periods of another shape", schema + QStringList{"DROP TABLE ValiditaLuoghi", "CREATE TABLE ValiditaLuoghi (comcode)"}, false,
             "table ValiditaLuoghi has 1 columns but 3 values were supplied Unable to execute statement");
        riga("a file where the data folder should be", schema, true, "impossibile scrivere UTENTE: Not a directory");
    }

    void nonScritto()
    {
        QFETCH(QStringList, origine);
        QFETCH(bool, cartellaBloccata);
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("DatiAtto.mdb")), utente = cartella.filePath(QStringLiteral("u/DatiAtto.mdb"));
        // An empty file where the user's file, or its folder, would go.
        const QString presente = cartellaBloccata ? QFileInfo(utente).path() : utente;
        QVERIFY((origine.isEmpty() || creaDatabase(file, origine)) && QDir().mkpath(QFileInfo(presente).path()) &&
                creaDatabase(presente, {}));
        const QByteArray prima = impronta(file) + impronta(presente);
        QString errore;
        QVERIFY(!scriviDatiLuoghi(file, utente, DatiLuoghi(), &errore));
        QTEST(errore.replace(file, "ORIGINE").replace(utente, "UTENTE"), "errore");
        QCOMPARE(impronta(file) + impronta(presente), prima);
    }

    void incompleto()
    {
        DatiLuoghi dati;
        dati.luoghi = {{QStringLiteral("Roma"), QStringLiteral("RM"), QStringLiteral("H501"), {}}};
        const DatiLuoghi prima = dati;
        QList<RigaRegistro> righe;
        ModificheLuoghi m;
        QString errore;
        const QByteArray r = registro2024();
        QVERIFY(leggiRegistro(r.left(r.indexOf("\n", r.size() / 3)), &righe, &errore));
        QVERIFY(!aggiornaLuoghi(&dati, righe, &m, &errore));
        QCOMPARE(errore, QStringLiteral("contiene 2724 comuni in vigore invece di almeno 7000: non è l'archivio completo"));
        QCOMPARE(dati.luoghi.size(), prima.luoghi.size());
    }
};

QTEST_GUILESS_MAIN(tst_DatiLuoghi)
#include "tst_datiluoghi.moc"
