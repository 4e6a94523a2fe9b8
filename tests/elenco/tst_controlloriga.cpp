// SPDX-License-Identifier: MIT
#include "elenco/controlloriga.h"
#include "support/tabella.h"

class tst_ControlloRiga : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!m_db.open(QStringLiteral(BRANTOVEL_DATIATTO)).failed()); }
    void risultato_data();
    void risultato();

private:
    Database m_db;
};

static const QStringList Intestazione = {"CF", "P.IVA", "Cognome", "Nome", "Sesso", "Data di nascita", "Comune di nascita"};
static const QString Persona = QStringLiteral(";;Rossi;Mario;M;01/01/1980;Roma");

// A row is written as its ";"-separated cells; one result column is checked.
void tst_ControlloRiga::risultato_data()
{
    colonne<QString, QString, QString, QString>("celle", "colonna", "atteso", "stato");
    riga("valid code, data agree", "RSSMRA80A01H501U" + Persona, "Confronto con i dati anagrafici", "concorda", "valida");
    riga("place from the code", "RSSMRA80A01H501U" + Persona, "Luogo di nascita dal codice", "Roma (RM) H501", "valida");
    riga("omocodia gives the base code", "RSSMRA80A01H5LMX" + Persona, "Omocodia",
         "2 su 7 cifre sostituite da lettere; codice di base RSS MRA 80A01 H501U", "valida");
    riga("wrong check character", "RSSMRA80A01H501X" + Persona, "Codice fiscale: esito",
         "Codice non valido: il carattere di controllo non corrisponde: almeno un carattere è sbagliato", "non valida");
    riga("data disagree: what they give", "RSSMRA80A01H501U;;Bianchi;Mario;F;02/01/1980;Milano",
         "Confronto con i dati anagrafici",
         "non concorda: cognome: i dati danno BNC, il codice RSS; data di nascita: i dati danno 02/01/1980, "
         "il codice 01/01/1980; sesso: i dati danno F, il codice M; luogo di nascita: i dati danno F205, il codice H501",
         "non valida");
    riga("only the parts given are compared", "RSSMRA80A01H501U;;Rossi;;;;", "Confronto con i dati anagrafici",
         "concorda", "valida");
    riga("unreadable date", "RSSMRA80A01H501U;;Rossi;Mario;M;31/02/1980;Roma", "Confronto con i dati anagrafici",
         "non concorda: data di nascita «31/02/1980» illeggibile", "non valida");
    riga("unreadable sex", "RSSMRA80A01H501U;;Rossi;Mario;X;01/01/1980;Roma", "Confronto con i dati anagrafici",
         "non concorda: sesso «X» illeggibile", "non valida");
    riga("empty code, place unknown", ";;Rossi;Mario;M;01/01/1980;Atlantide", "Codice fiscale: esito",
         "Codice fiscale mancante; non si può calcolare dai dati: manca un luogo di nascita conosciuto (non «Atlantide»)",
         "non valida");
    riga("unknown place name", "RSSMRA80A01H501U;;Rossi;Mario;M;01/01/1980;Atlantide",
         "Confronto con i dati anagrafici", "non concorda: luogo di nascita «Atlantide» sconosciuto", "non valida");
    riga("empty code computed from the data", Persona, "Codice fiscale calcolato", "RSSMRA80A01H501U", "completata");
    riga("computed code is described", Persona, "Codice fiscale: esito", "Codice calcolato dai dati", "completata");
    riga("empty code, data missing", ";;Rossi;;M;01/01/1980;Roma", "Codice fiscale: esito",
         "Codice fiscale mancante; non si può calcolare dai dati: manca nome", "non valida");
    riga("place that had ceased", "RSSMRA05A01A002T;;;;;;", "Esito della riga", "avviso", "avviso");
    riga("numeric code of a company", "12345670017;;;;;;", "Codice fiscale: esito", "Codice fiscale numerico valido", "valida");
    riga("numeric code with a wrong digit", "12345670018;;;;;;", "Codice fiscale: esito",
         "Codice non valido: la cifra di controllo del codice numerico è errata", "non valida");
    riga("VAT number and its office", ";12345670017;;;;;", "Ufficio IVA", "001 Torino", "non valida");
    riga("VAT number with IT, blanks and dots", ";IT 123.456.700.17;;;;;", "Partita IVA: note",
         "tolto il prefisso IT; tolti spazi e punti: 12345670017", "non valida");
    riga("VAT number that lost its zero", "RSSMRA80A01H501U;1234560017;;;;;", "Partita IVA: note",
         "rimesso lo zero iniziale: 01234560017", "avviso");
    riga("VAT check digit", "RSSMRA80A01H501U;12345670018;;;;;", "Partita IVA: esito",
         "Partita IVA non valida: la cifra di controllo è errata", "non valida");
    riga("VAT office that does not exist", "RSSMRA80A01H501U;12345677772;;;;;", "Partita IVA: esito",
         "Partita IVA non valida: codice Ufficio IVA 777 inesistente", "non valida");
    riga("VAT letters", "RSSMRA80A01H501U;1234567001X;;;;;", "Partita IVA: esito",
         "Partita IVA non valida: contiene caratteri che non sono cifre", "non valida");
    riga("VAT too short", "RSSMRA80A01H501U;123456789;;;;;", "Partita IVA: esito",
         "Partita IVA non valida: ha 9 cifre invece di 11", "non valida");
    riga("short row", "RSSMRA80A01H501U;;Rossi", "Esito della riga", "non valida: la riga ha 3 celle invece di 7",
         "non valida");
    riga("long row keeps the extra cells", "RSSMRA80A01H501U" + Persona + ";x;y", "Esito della riga",
         "non valida: la riga ha 9 celle invece di 7; in più: x | y", "non valida");
}

void tst_ControlloRiga::risultato()
{
    QFETCH(QString, celle);
    QFETCH(QString, colonna);
    ControlloRiga c(m_db, Intestazione, riconosciColonne(Intestazione), QDate(2026, 1, 1));
    QStringList riga = celle.split(u';');
    const StatoRiga stato = c.controlla(&riga);
    const QStringList intestazioni = c.intestazioni();
    QCOMPARE(riga.size(), intestazioni.size());
    QVERIFY(intestazioni.contains(colonna));
    QTEST(riga.at(intestazioni.indexOf(colonna)), "atteso");
    QTEST(nomeStato(stato), "stato");
}

QTEST_GUILESS_MAIN(tst_ControlloRiga)
#include "tst_controlloriga.moc"
