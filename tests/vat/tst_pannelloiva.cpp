// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"
#include "support/fixture.h"
#include "support/nomecolore.h"
#include "support/tabella.h"
#include "support/tasti.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>

class tst_PannelloIva : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pannello_data();
    void pannello();

private:
    QString fondi() const { return nomeColore(backColor(f->ui().Text1)) + '/' + nomeColore(backColor(f->ui().Text15)); }
    std::unique_ptr<FinestraDiProva> f;
    QStringList messaggi;
};

// Two offices share code 890; a third has 890 in its name but not at the start.
void tst_PannelloIva::init()
{
    f = std::make_unique<FinestraDiProva>(FinestraDiProva::datiDiEsempio(
        {rigaUfficioIva(QStringLiteral("1890 Non inizia col codice")), rigaUfficioIva(QStringLiteral("890 Primo ufficio")),
         rigaUfficioIva(QStringLiteral("890 Secondo ufficio"))}));
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QApplication::clipboard()->setText(QStringLiteral("45"));
    messaggi.clear();
    // A message over the number field and the two coloured boxes.
    f->platform.whileMessageOpen = [this](const RecordingPlatform::Message &m) {
        messaggi << QStringLiteral("%1 [%2] %3").arg(m.text, f->ui().Text1->text(), fondi());
    };
}

void tst_PannelloIva::cleanup()
{
    f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_PannelloIva::pannello_data()
{
    colonne<QString, QString>("tasti", "vista");
    const QString rifiutata = QStringLiteral(" | Devi digitare un numero! [] verdeacqua/ciano");
    // A box left without one digit gets "0" and the focus back, with a message
    // but for the first; text dropped on the second is set right when entered.
    // Backspace on a selected digit goes back to the box before, erasing nothing.
    riga("lettera nella prima, testo lasciato cadere nella seconda, due cifre, una lettera, ritorno indietro",
         "a12{Text5:x}[Text5]3⎘⌫x4567890⌫[CboUfficioIva]",
         "10456789000    | CboUfficioIva [] |  0  | verdeacqua/ciano" + rifiutata.repeated(2));
    riga("numero intero lasciato cadere accanto alla cifra della prima casella: la cifra non conta",
         "{Text4:IT 004.884.100.10}", "00488410010 00488410010 001 001 Torino | CboUfficioIva [] |  0  | verdeacqua/ciano");
    riga("regressione: cifre 9 e 11 zero non cercate; cifre cambiate prima dell'ultima: cercate al clic",
         "00488410010[Text4]1234560890[Command2]",
         "12345608900 12345608900 890 890 Primo ufficio | Command2 | "
         "12345608900 1 https://www1.agenziaentrate.gov.it/servizi/vies/vies.htm?act=default&piva=&stato=IT#app | "
         "verdeacqua/ciano | Numero Partita IVA: OK: per accertarti dell'esistenza della Partita IVA, incolla il "
         "numero nel sito di controllo  [12345608900] verdeacqua/ciano");
    riga("ufficio inesistente: tutto azzerato, e gli undici zeri non passano il controllo",
         "12345670587[Text4]12340011051[Command2]",
         "00000000000    | Text4 [0] |  0  | verdeacqua/ciano | Codice Ufficio IVA inesistente [12340011051] "
         "verdeacqua/rosso | Numero Partita IVA: errato [0  0  0  0  0  0  0  0  0  0  0] rosso/ciano");
    riga("numero intero lasciato cadere sull'ultima casella", "{Text14:IT 004.884.100.10}",
         "00488410010 00488410010 001 001 Torino | CboUfficioIva [] |  0  | verdeacqua/ciano");
    riga("lettera nell'ultima: nessuna ricerca finché l'uscita non la fa zero", "1234567890x[CboUfficioIva]",
         "12345678900 12345678900 890 890 Primo ufficio | Text14 [0] |  0  | verdeacqua/ciano"
         " | Devi digitare un numero! [12345678900] verdeacqua/ciano");
    riga("ultima casella svuotata, poi ritorno indietro: lo zero torna senza ricerca", "1234567890[Text14]⌫⌫",
         "12345678900    | Text13 [0] |  0  | verdeacqua/ciano");
    riga("lettera lasciata cadere su una casella mai entrata: nessuna ricerca finché resta", "{Text12:x}53[CboUfficioIva]",
         "000000000x53    | CboUfficioIva [] |  0  | verdeacqua/ciano");
    riga("✗ toglie la tabella degli uffici: nessun ufficio inesistente, le cifre restano", "✗12345678903",
         "12345678903 12345678903 890  | CboUfficioIva [] |  0  | verdeacqua/ciano | Errore imprevisto: 1 no such "
         "table: CodiciUfficioIva [12345678903] verdeacqua/ciano");
}

// Digits, number field, office code, office | focus [selection] | clipboard, clearings, pages opened | colours |
// messages.
void tst_PannelloIva::pannello()
{
    QFETCH(QString, tasti);
    if (tasti.startsWith(u'✗')) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("scrittura"));
        db.setDatabaseName(f->percorso());
        QVERIFY(db.open() && QSqlQuery(db).exec(QStringLiteral("DROP TABLE CodiciUfficioIva")));
        db.close();
    }
    batti(f->form.get(), "[Text4]" + tasti.mid(tasti.startsWith(u'✗')));
    QString vista;
    for (int n = 4; n <= 14; ++n)
        vista += f->ui().Text(n)->text();
    const QLineEdit *box = editor(QApplication::focusWidget());
    vista += QStringLiteral(" %1 %2 %3 | %4%5 | %6 %7 %8 | ")
                 .arg(f->ui().Text1->text(), f->ui().Text15->text(), f->ui().CboUfficioIva->currentText(),
                      QApplication::focusWidget()->objectName(), box ? " [" + box->selectedText() + "]" : "",
                      f->platform.clipboard, QString::number(f->platform.clipboardClears),
                      QUrl::toStringList(f->platform.openedUrls).join(u' '));
    QTEST((QStringList{vista + fondi()} + messaggi).join(" | "), "vista");
}

QTEST_MAIN(tst_PannelloIva)
#include "tst_pannelloiva.moc"
