// SPDX-License-Identifier: MIT
//
// Reads the register of municipalities and prints, for every code in use on or
// after 1 January 1920, what the reference data take from it, one
// tab-separated line each:
//   periodo    CODICE  DAL  AL          a period in which the code was in use
//   provincia  CODICE  DAL  AL  SIGLA   a period in one province
//   luogo      CODICE  NOME  SIGLA  STATO  AL   the code's last row, with
//              the Italian part of a bilingual name, as the program reads it
// Dates are ISO days; an empty DAL is open at the start, an empty AL still in
// use. data/tools/aggiorna.mjs builds the data files from these lines, so the
// program and the update tool read the register with the same code.

#include "luoghi/periodiluoghi.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

QString giorno(const QDate &d)
{
    return d.isNull() ? QString() : d.toString(Qt::ISODate);
}

void stampa(QTextStream &out, const char *tipo, const QMap<QString, QList<PeriodoLuogo>> &periodi)
{
    for (auto it = periodi.cbegin(); it != periodi.cend(); ++it)
        for (const PeriodoLuogo &p : it.value()) {
            out << tipo << '\t' << it.key() << '\t' << giorno(p.dal) << '\t' << giorno(p.al);
            if (!p.sigla.isEmpty())
                out << '\t' << p.sigla;
            out << '\n';
        }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Periodi dei codici dei luoghi dall'archivio dei comuni dell'ANPR"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("archivio"), QStringLiteral("il file CSV dell'archivio dei comuni"));
    parser.process(app);
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1) {
        err << "uso: luoghi_anpr ARCHIVIO.csv\n";
        return 2;
    }
    QFile file(parser.positionalArguments().constFirst());
    if (!file.open(QIODevice::ReadOnly)) {
        err << "luoghi_anpr: impossibile leggere " << file.fileName() << '\n';
        return 1;
    }
    QList<RigaRegistro> righe;
    QString errore;
    if (!leggiRegistro(file.readAll(), &righe, &errore)) {
        err << "luoghi_anpr: " << file.fileName() << ": " << errore << '\n';
        return 1;
    }
    const auto periodi = periodiDelRegistro(righe);
    QMap<QString, const RigaRegistro *> ultima;
    for (const RigaRegistro &r : righe)
        if (periodi.contains(r.codice) && (!ultima.contains(r.codice) || ultima[r.codice]->dal < r.dal))
            ultima[r.codice] = &r;

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    stampa(out, "periodo", periodi);
    stampa(out, "provincia", provinceDelRegistro(righe));
    for (const RigaRegistro *r : std::as_const(ultima))
        out << "luogo\t" << r->codice << '\t' << r->nome << '\t' << r->sigla << '\t' << r->stato << '\t' << giorno(r->al) << '\n';
    return 0;
}
