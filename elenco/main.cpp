// SPDX-License-Identifier: MIT
// brantovel-elenco: checks a whole list of fiscal codes, VAT numbers and
// personal data from the command line. Exit status 0 when every row is valid,
// 1 when some row has a problem, 2 when the job could not be done.

#include "app/database.h"
#include "elenco/elenco.h"
#include "elenco/scrittori.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

enum Uscita { TutteValide = 0, QualcheProblema = 1, Impossibile = 2 };

int impossibile(const QString &motivo)
{
    std::fprintf(stderr, "brantovel-elenco: %s\n", qPrintable(motivo));
    return Impossibile;
}

// Raised by Ctrl-C (SIGINT) or a request to end (SIGTERM); the engine reads
// it between rows.
std::atomic_bool interrotto{false};

extern "C" void interrompi(int segnale)
{
    interrotto.store(true, std::memory_order_relaxed);
    // A second signal ends the program at once, as it would have the first.
    std::signal(segnale, SIG_DFL);
}

// The run then stops at the next row and its results are dropped, so that no
// half file and no temporary file stays behind. A signal the caller has set
// aside (a job started in the background) stays set aside.
void intercettaInterruzioni()
{
    for (const int segnale : {SIGINT, SIGTERM})
        if (std::signal(segnale, interrompi) == SIG_IGN)
            std::signal(segnale, SIG_IGN);
}

struct OpzioneColonna
{
    Ruolo ruolo;
    QCommandLineOption opzione;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brantovel-elenco"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    // "Usage" and "Options" of the help in Italian, from Qt's own translations.
    QTranslator qtbase;
    if (qtbase.load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtbase);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Controlla un elenco di codici fiscali, partite IVA e dati anagrafici (CSV, .xlsx, .ods)\n"
                       "e scrive i risultati: le colonne dell'elenco seguite da quelle dei controlli.\n"
                       "Stato di uscita: 0 tutte le righe valide, 1 qualche riga con un problema,\n"
                       "2 controllo non eseguito o interrotto (il motivo è scritto sullo standard error)."));
    parser.addPositionalArgument(QStringLiteral("elenco"), QStringLiteral("Il file da controllare; - per lo standard input."));
    const QCommandLineOption aiuto({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Mostra questo aiuto."));
    const QCommandLineOption versione(QStringLiteral("version"), QStringLiteral("Mostra la versione."));
    const QCommandLineOption risultati({QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("Il file dei risultati; - (predefinito) per lo standard output."),
                                       QStringLiteral("FILE"), QStringLiteral("-"));
    const QCommandLineOption formato(QStringLiteral("formato"),
                                     QStringLiteral("Formato dei risultati: csv, xlsx o json (predefinito: "
                                                    "quello dell'estensione del file dei risultati, altrimenti csv)."),
                                     QStringLiteral("FORMATO"));
    const QCommandLineOption soloProblemi(QStringLiteral("solo-problemi"),
                                          QStringLiteral("Scrive soltanto le righe con un problema o un avviso."));
    const QCommandLineOption dati(QStringLiteral("dati"),
                                  QStringLiteral("Il file DatiAtto.mdb (predefinito: quello accanto al programma)."),
                                  QStringLiteral("PERCORSO"));
    const QList<OpzioneColonna> colonne = {
        {Ruolo::CodiceFiscale, {QStringLiteral("colonna-cf"), QStringLiteral("La colonna del codice fiscale."), QStringLiteral("COLONNA")}},
        {Ruolo::PartitaIva, {QStringLiteral("colonna-piva"), QStringLiteral("La colonna della partita IVA."), QStringLiteral("COLONNA")}},
        {Ruolo::Cognome, {QStringLiteral("colonna-cognome"), QStringLiteral("La colonna del cognome."), QStringLiteral("COLONNA")}},
        {Ruolo::Nome, {QStringLiteral("colonna-nome"), QStringLiteral("La colonna del nome."), QStringLiteral("COLONNA")}},
        {Ruolo::Sesso, {QStringLiteral("colonna-sesso"), QStringLiteral("La colonna del sesso (M o F)."), QStringLiteral("COLONNA")}},
        {Ruolo::DataNascita, {QStringLiteral("colonna-data"), QStringLiteral("La colonna della data di nascita."), QStringLiteral("COLONNA")}},
        {Ruolo::LuogoNascita, {QStringLiteral("colonna-luogo"), QStringLiteral("La colonna del comune o Stato di nascita, per nome."), QStringLiteral("COLONNA")}},
        {Ruolo::CodiceCatastale, {QStringLiteral("colonna-catastale"), QStringLiteral("La colonna del codice catastale del luogo di nascita.\n"
                                  "COLONNA è il nome nell'intestazione o il numero, contando da 1;\n"
                                  "- toglie una colonna riconosciuta."), QStringLiteral("COLONNA")}},
    };
    parser.addOptions({aiuto, versione, risultati, formato, soloProblemi, dati});
    for (const OpzioneColonna &c : colonne)
        parser.addOption(c.opzione);

    if (!parser.parse(QCoreApplication::arguments()))
        return impossibile(parser.errorText());
    if (parser.isSet(aiuto)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return TutteValide;
    }
    if (parser.isSet(versione)) {
        std::printf("brantovel-elenco %s\n", PROJECT_VERSION);
        return TutteValide;
    }
    if (parser.positionalArguments().size() != 1)
        return impossibile(QStringLiteral("indicare un solo elenco da controllare (--help per l'aiuto)"));
    // A results file named .xlsx or .json is written as one unless told otherwise.
    const QString estensione = QFileInfo(parser.value(risultati)).suffix().toLower();
    const QString tipo = parser.isSet(formato) ? parser.value(formato).toLower()
                         : estensione == QLatin1String("xlsx") || estensione == QLatin1String("json") ? estensione
                                                                                                     : QStringLiteral("csv");
    if (tipo != QLatin1String("csv") && tipo != QLatin1String("xlsx") && tipo != QLatin1String("json"))
        return impossibile(QStringLiteral("formato sconosciuto: %1 (csv, xlsx o json)").arg(parser.value(formato)));

    const QString percorsoDati = parser.isSet(dati) ? parser.value(dati)
                                                    : QCoreApplication::applicationDirPath() + QStringLiteral("/DatiAtto.mdb");
    Database db;
    if (const DbError e = db.open(percorsoDati); e.failed())
        return impossibile(QStringLiteral("impossibile aprire %1: %2").arg(percorsoDati, e.description));

    const QString percorso = parser.positionalArguments().constFirst();
    Elenco elenco;
    if (!elenco.apri(percorso))
        return impossibile(elenco.errore());
    for (const OpzioneColonna &c : colonne) {
        if (!parser.isSet(c.opzione))
            continue;
        const QString nome = parser.value(c.opzione);
        const int i = nome == QLatin1String("-") ? -1 : colonnaIndicata(elenco.intestazione(), nome);
        if (i < 0 && nome != QLatin1String("-"))
            return impossibile(QStringLiteral("l'elenco non ha la colonna %1").arg(nome));
        elenco.colonne[c.ruolo] = i;
    }
    if (elenco.colonne.nessuna())
        return impossibile(QStringLiteral("nessuna colonna riconosciuta nell'intestazione; indicarle con "
                                          "--colonna-cf, --colonna-piva e le altre (--help)"));

    const QString destinazione = parser.value(risultati);
    if (destinazione != QLatin1String("-") && QFileInfo(destinazione).absoluteFilePath()
                                                   == QFileInfo(percorso).absoluteFilePath())
        return impossibile(QStringLiteral("i risultati non possono sostituire l'elenco da controllare"));
    UscitaRisultati uscita;
    if (!uscita.apri(destinazione))
        return impossibile(uscita.errore());
    const std::unique_ptr<DestinazioneRighe> scrittore = creaScrittore(tipo, uscita, elenco.separatore(), elenco.codifica());

    const bool soloConProblemi = parser.isSet(soloProblemi);
    Osservatori osservatori;
    bool intestazione = true;
    osservatori.riga = [&](const QStringList &celle, StatoRiga stato) {
        const bool scrivi = intestazione || !soloConProblemi || stato >= StatoRiga::Avviso;
        intestazione = false;
        return !scrivi || scrittore->scrivi(celle);
    };
    // Progress is for a person watching a terminal, never for a log file.
    if (isatty(STDERR_FILENO))
        osservatori.avanzamento = [](double frazione, const Riepilogo &r) {
            std::fprintf(stderr, "\r%3d%%  %lld righe", int(frazione * 100), static_cast<long long>(r.righe));
        };
    osservatori.annulla = &interrotto;
    intercettaInterruzioni();
    Riepilogo riepilogo;
    QString errore;
    const bool riuscito = controllaElenco(elenco, db, QDate::currentDate(), osservatori, &riepilogo, &errore);
    if (osservatori.avanzamento)
        std::fputs("\n", stderr);
    if (!riuscito)
        return impossibile(errore.isEmpty() ? scrittore->errore() : errore);
    // Leaving drops the unfinished results: their temporary file goes too.
    if (interrotto)
        return impossibile(QStringLiteral("interrotto dopo %1 righe%2")
                               .arg(riepilogo.righe)
                               .arg(destinazione == QLatin1String("-")
                                        ? QString()
                                        : QStringLiteral(": %1 non è stato scritto").arg(destinazione)));
    if (!scrittore->chiudi())
        return impossibile(scrittore->errore());
    return riepilogo.tutteValide() ? TutteValide : QualcheProblema;
}
