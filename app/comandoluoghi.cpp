// SPDX-License-Identifier: MIT
//
// brantovel-luoghi --aggiorna-luoghi FILE [--prova] [--anche-meno-recente]
//
// Loads the Interior Ministry's register of municipalities into the user's
// own reference file, as an administrator would without the windows: prints
// what would change, and unless --prova writes the new file. The installed
// DatiAtto.mdb is only read. Exit status 0 when done, 1 when the file is
// refused or cannot be written, 2 for a wrong command line.

#include "app/datiluoghi.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brantovel"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Carica l'archivio dei comuni dell'ANPR nei dati dei luoghi"));
    parser.addHelpOption();
    const QCommandLineOption file(QStringLiteral("aggiorna-luoghi"), QStringLiteral("il file ANPR_archivio_comuni.csv"),
                                  QStringLiteral("FILE"));
    const QCommandLineOption prova(QStringLiteral("prova"), QStringLiteral("mostra le modifiche senza scrivere nulla"));
    const QCommandLineOption vecchio(QStringLiteral("anche-meno-recente"),
                                     QStringLiteral("carica anche un archivio meno recente dei dati in uso"));
    parser.addOptions({file, prova, vecchio});
    parser.process(app);
    QTextStream out(stdout), err(stderr);
    if (!parser.isSet(file) || !parser.positionalArguments().isEmpty()) {
        err << parser.helpText();
        return 2;
    }
    const auto rifiuta = [&err](const QString &perche) {
        err << "brantovel-luoghi: " << perche << '\n';
        return 1;
    };

    const QString installato = QCoreApplication::applicationDirPath() + QStringLiteral("/DatiAtto.mdb");
    const QString inUso = datiAttoInUso(installato);
    DatiLuoghi dati;
    {
        Database db;
        DbError e = db.open(inUso);
        if (!e.failed())
            e = leggiDatiLuoghi(db, &dati);
        if (e.failed())
            return rifiuta(QStringLiteral("%1: %2").arg(inUso, e.description));
    }
    QFile csv(parser.value(file));
    if (!csv.open(QIODevice::ReadOnly))
        return rifiuta(QStringLiteral("impossibile leggere %1").arg(csv.fileName()));
    QList<RigaRegistro> registro;
    QString errore;
    if (!leggiRegistro(csv.readAll(), &registro, &errore))
        return rifiuta(QStringLiteral("%1 non è stato caricato: %2").arg(csv.fileName(), errore));
    const QDate dataRegistro = dataDelRegistro(registro);
    if (dataRegistro < dati.data && !parser.isSet(vecchio))
        return rifiuta(QStringLiteral("%1 è aggiornato al %2, i dati in uso al %3: per caricarlo comunque, "
                                      "--anche-meno-recente")
                           .arg(csv.fileName(), dataRegistro.toString(QStringLiteral("dd/MM/yyyy")),
                                dati.data.toString(QStringLiteral("dd/MM/yyyy"))));
    ModificheLuoghi modifiche;
    if (!aggiornaLuoghi(&dati, registro, &modifiche, &errore))
        return rifiuta(QStringLiteral("%1 non è stato caricato: %2").arg(csv.fileName(), errore));

    out << "Dati in uso: " << inUso << '\n';
    out << testoModifiche(modifiche, 20);
    if (parser.isSet(prova) || modifiche.vuote()) {
        out << (modifiche.vuote() ? "Nessuna modifica." : "Prova: nulla è stato scritto.") << '\n';
        return 0;
    }
    if (!scriviDatiLuoghi(inUso, datiAttoUtente(), dati, &errore))
        return rifiuta(errore);
    out << "Scritto: " << datiAttoUtente() << " (" << testoAggiornamento(dati.data) << ")\n";
    return 0;
}
