// SPDX-License-Identifier: MIT
#include "elenco/colonne.h"
#include "support/tabella.h"

class tst_Colonne : public QObject
{
    Q_OBJECT

private slots:
    void riconoscimento_data();
    void riconoscimento();
    void date_data();
    void date();
};

// The header is given as "|"-separated cells, the roles found as
// "role:column" pairs in the roles' order.
void tst_Colonne::riconoscimento_data()
{
    colonne<QString, QString>("intestazione", "ruoli");
    riga("Italian headers, any case", "CODICE FISCALE|partita iva|Cognome|Nome|Sesso|Data di nascita|Comune di nascita",
         "0:0 1:1 2:2 3:3 4:4 5:5 6:6");
    riga("dots and abbreviations", "C.F.|P.IVA|Luogo di nascita|Codice catastale", "0:0 1:1 6:2 7:3");
    riga("accents, hyphens and underscores", "Città|cod_fisc|Partita-IVA|Nàscita", "0:1 1:2 5:3");
    riga("English headers", "Surname|First name|Date of birth|Place of birth|VAT number|Tax code|Gender",
         "0:5 1:4 2:0 3:1 4:6 5:2 6:3");
    riga("the first of two columns of a role wins", "CF|Codice fiscale", "0:0");
    riga("unknown headers", "Indirizzo|Telefono|Codice", "");
}

void tst_Colonne::riconoscimento()
{
    QFETCH(QString, intestazione);
    const Colonne c = riconosciColonne(intestazione.split(u'|'));
    QStringList ruoli;
    for (int r = 0; r < NumeroRuoli; ++r)
        if (c.indice[size_t(r)] >= 0)
            ruoli << QStringLiteral("%1:%2").arg(r).arg(c.indice[size_t(r)]);
    QTEST(ruoli.join(u' '), "ruoli");
}

void tst_Colonne::date_data()
{
    colonne<QString, QDate>("testo", "data");
    riga("day/month/year", "01/02/1980", QDate(1980, 2, 1));
    riga("short day, month and year", "1/2/80", QDate(1980, 2, 1));
    riga("ISO", "1980-02-01", QDate(1980, 2, 1));
    riga("ISO with a time", "1980-02-01 00:00:00", QDate(1980, 2, 1));
    riga("spreadsheet serial", "29221", QDate(1980, 1, 1));
    riga("spreadsheet serial with the time of day", "29221.75", QDate(1980, 1, 1));
    riga("impossible day", "31/02/1980", QDate());
    riga("ISO impossible day", "1980-02-30", QDate());
    riga("ISO followed by other text", "1980-02-01x", QDate());
    riga("words", "ieri", QDate());
}

void tst_Colonne::date()
{
    QFETCH(QString, testo);
    QTEST(leggiData(testo).value_or(QDate()), "data");
}

QTEST_GUILESS_MAIN(tst_Colonne)
#include "tst_colonne.moc"
