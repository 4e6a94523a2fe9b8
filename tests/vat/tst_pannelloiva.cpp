// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"
#include "support/nomecolore.h"
#include "support/tabella.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTestEventList>

namespace {

const QString Ok = QStringLiteral("Numero Partita IVA: OK: per accertarti dell'esistenza della Partita IVA, "
                                  "incolla il numero nel sito di controllo ");

// The panel as the user sees it after start-up or a reset.
const QString Azzerato = QStringLiteral("00000000000 |  |  | ");
const QString Zeri(11, u'0');

// Keys clicked one after the other, with their modifiers.
QTestEventList tasti(std::initializer_list<QKeyCombination> combinazioni)
{
    QTestEventList eventi;
    for (const QKeyCombination k : combinazioni)
        eventi.addKeyClick(k.key(), k.keyboardModifiers());
    return eventi;
}

// What the user sees behind an open message box: its text, the number field
// and the colours of the number field and of the office code box.
QString istante(const QString &testo, const QString &text1, const QString &coloreText1 = QStringLiteral("verdeacqua"),
                const QString &coloreText15 = QStringLiteral("ciano"))
{
    return QStringLiteral("%1 [%2] Text1 %3, Text15 %4").arg(testo, text1, coloreText1, coloreText15);
}

QString spaziato(const QString &cifre)
{
    return cifre.split(QString(), Qt::SkipEmptyParts).join(QStringLiteral("  "));
}

QString erratoSuRosso(const QString &cifre)
{
    return istante(QStringLiteral("Numero Partita IVA: errato"), spaziato(cifre), QStringLiteral("rosso"));
}

} // namespace

class tst_PannelloIva : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void inserimento_data();
    void inserimento();
    void casellaRifiutata_data();
    void casellaRifiutata();
    void text5EntrataConTestoCaduto();
    void controllo_data();
    void controllo();
    void ricercaUfficioSenzaTabella();

private:
    // Clicks the first box and types, as a user's keyboard does, into
    // whichever control holds the focus. A '|' clicks the first box again.
    void digita(const QString &tasti);
    // "digits | number field | office code | office list", the focused
    // control and its selected text when the focus is in the panel.
    QString pannello() const;
    QString fuoco() const;

    std::unique_ptr<FinestraDiProva> f;
    QStringList duranteMessaggi;
};

void tst_PannelloIva::init()
{
    // Two offices share code 890; a third has 890 in its name but not at the
    // start.
    f = std::make_unique<FinestraDiProva>(FinestraDiProva::datiDiEsempio({
        QStringLiteral("INSERT INTO CodiciUfficioIva VALUES ('1890 Non inizia col codice')"),
        QStringLiteral("INSERT INTO CodiciUfficioIva VALUES ('890 Primo ufficio')"),
        QStringLiteral("INSERT INTO CodiciUfficioIva VALUES ('890 Secondo ufficio')"),
    }));
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    duranteMessaggi.clear();
    // Every message of the panel but an unexpected failure shows the
    // information icon; any other icon is noted beside the message.
    f->platform.whileMessageOpen = [this](const RecordingPlatform::Message &m) {
        QString visto = istante(m.text, f->ui().Text1->text(), nomeColore(backColor(f->ui().Text1)),
                                nomeColore(backColor(f->ui().Text15)));
        if (m.style != Platform::Information)
            visto += QStringLiteral(", icona %1").arg(m.style);
        duranteMessaggi << visto;
    };
}

void tst_PannelloIva::cleanup()
{
    const QList<RecordingPlatform::Message> messaggi = f->platform.messages;
    f.reset();
    // Every message of the panel is titled with the main window's caption.
    for (const RecordingPlatform::Message &m : messaggi)
        QCOMPARE(m.title, QStringLiteral("Brantovel by Ozmir"));
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_PannelloIva::digita(const QString &tasti)
{
    QTest::mouseClick(f->ui().Text(4), Qt::LeftButton);
    for (const QChar c : tasti) {
        if (c == u'|')
            QTest::mouseClick(f->ui().Text(4), Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
}

QString tst_PannelloIva::pannello() const
{
    const FrmCodiceFiscaleUi &ui = f->ui();
    QString cifre;
    for (int n = 4; n <= 14; ++n)
        cifre += ui.Text(n)->text();
    return QStringList{cifre, ui.Text1->text(), ui.Text15->text(), ui.CboUfficioIva->currentText()}.join(
        QStringLiteral(" | "));
}

QString tst_PannelloIva::fuoco() const
{
    QWidget *w = QApplication::focusWidget();
    if (!w)
        return QString();
    QLineEdit *box = editor(w);
    return box ? QStringLiteral("%1 [%2]").arg(w->objectName(), box->selectedText()) : w->objectName();
}

void tst_PannelloIva::inserimento_data()
{
    colonne<QString, QString, QString, QStringList>("tasti", "pannello", "fuoco", "messaggi");
    const QString trovato = QStringLiteral("12345678903 | 12345678903 | 890 | 890 Primo ufficio");
    const QString sullaLista = QStringLiteral("CboUfficioIva []");
    const QStringList nessuno,
        inesistente{istante("Codice Ufficio IVA inesistente", "12345679993", "verdeacqua", "rosso")};
    riga("undici cifre, ufficio noto: il primo dei due col codice", "12345678903", trovato, sullaLista, nessuno);
    riga("zero battuto sullo zero della prima casella", "02345678904",
         "02345678904 | 02345678904 | 890 | 890 Primo ufficio", sullaLista, nessuno);
    riga("lettera nella prima casella: zero selezionato, nessun messaggio", "a", Azzerato, "Text4 [0]", nessuno);
    riga("lettera nella prima casella, poi il numero", "a12345678903", trovato, sullaLista, nessuno);
    // Regression: a number whose digits 9 and 11 are both zero was never
    // assembled, so the check tested the number before it, or nothing.
    const QString torino = QStringLiteral("00488410010 | 00488410010 | 001 | 001 Torino");
    riga("cifre 9 e 11 zero: cercato come ogni numero", "00488410010", torino, sullaLista, nessuno);
    riga("cifre 9 e 11 zero battute su un numero", "12345678903|00488410010", torino, sullaLista, nessuno);
    riga("cifre 9 e 11 zero, ufficio inesistente, battute su un numero", "12345670587|12340011050", Azzerato,
         "Text14 []", QStringList{istante("Codice Ufficio IVA inesistente", "12340011050", "verdeacqua", "rosso")});
    riga("secondo numero battuto sul primo", "12345678903|32345670587", "32345670587 | 32345670587 | 058 | 058 Roma",
         sullaLista, nessuno);
    riga("ufficio inesistente: un solo messaggio, poi tutto azzerato", "12345679993", Azzerato, "Text14 []",
         inesistente);
    riga("ufficio inesistente, poi un numero", "12345679993|12345678903", trovato, sullaLista, inesistente);
}

void tst_PannelloIva::inserimento()
{
    QFETCH(QString, tasti);
    digita(tasti);
    QTEST(pannello(), "pannello");
    QTEST(fuoco(), "fuoco");
    QTEST(duranteMessaggi, "messaggi");
    QCOMPARE(backColor(f->ui().Text15), Colore::CianoChiaro);
}

void tst_PannelloIva::casellaRifiutata_data()
{
    colonne<QString, QString, QTestEventList, bool, QString, QString>("prima", "appunti", "azione", "esce", "casella",
                                                                      "pannello");
    riga("due cifre incollate in Text7", "123", "45", tasti({Qt::CTRL | Qt::Key_V}), false, "Text7",
         "12300000000 |  |  | ");
    riga("cifra battuta col cursore dopo quella di Text8", "1234", "", tasti({Qt::Key_End, Qt::Key_5}), false, "Text8",
         "12340000000 |  |  | ");
    riga("cifra di Text6 cancellata", "12", "", tasti({Qt::Key_Backspace}), false, "Text6", "12000000000 |  |  | ");
    riga("lettera in Text9", "12345", "", tasti({Qt::Key_X}), false, "Text9", "12345000000 |  |  | ");
    // The last box changes by the erasing or the letter itself: no lookup
    // then. The "0" it gets when it is left is a change too, and looks up 890.
    const QString conZero = QStringLiteral("12345678900 | 12345678900 | 890 | 890 Primo ufficio");
    riga("ultima casella cancellata, poi lasciata", "1234567890", "", tasti({Qt::Key_Backspace}), true, "Text14",
         conZero);
    riga("lettera nell'ultima casella, poi lasciata", "1234567890", "", tasti({Qt::Key_X}), true, "Text14", conZero);
}

// The box gets "0" with the message and the focus back with the "0"
// selected, ready to be typed over.
void tst_PannelloIva::casellaRifiutata()
{
    QFETCH(QString, prima);
    QFETCH(QString, appunti);
    QFETCH(QTestEventList, azione);
    QFETCH(bool, esce);
    QFETCH(QString, casella);

    QApplication::clipboard()->setText(appunti);
    digita(prima);
    QCOMPARE(fuoco(), casella + QStringLiteral(" [0]"));
    azione.simulate(QApplication::focusWidget());
    if (esce) {
        QCOMPARE(duranteMessaggi, QStringList());
        QTest::mouseClick(f->ui().CboUfficioIva, Qt::LeftButton);
    }
    QTEST(pannello(), "pannello");
    QCOMPARE(duranteMessaggi, QStringList{istante("Devi digitare un numero!", f->ui().Text1->text())});
    QCOMPARE(fuoco(), casella + QStringLiteral(" [0]"));
}

// Text dropped on the second box while the focus is elsewhere is set back
// to "0" as soon as the box is entered, without a message; that change
// moves the focus on to the third box.
void tst_PannelloIva::text5EntrataConTestoCaduto()
{
    digita(QStringLiteral("12"));
    QLineEdit *text5 = f->ui().Text(5);
    QMimeData dati;
    dati.setText(QStringLiteral("x"));
    const QPoint punto(text5->width() - 2, text5->height() / 2);
    QDragEnterEvent entra(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text5, &entra);
    QDragMoveEvent muove(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text5, &muove);
    QDropEvent lascia(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text5, &lascia);
    QCOMPARE(text5->text(), QStringLiteral("2x"));

    QTest::mouseClick(text5, Qt::LeftButton);
    QCOMPARE(pannello(), QStringLiteral("10000000000 |  |  | "));
    QCOMPARE(fuoco(), QStringLiteral("Text6 [0]"));
    QCOMPARE(duranteMessaggi, QStringList());
}

void tst_PannelloIva::controllo_data()
{
    colonne<QString, int, bool, QStringList, QString, QString>("tasti", "clic", "browser", "messaggi", "appunti",
                                                               "pannello");
    const QString giusto = QStringLiteral("12345678903");
    const QString trovato = QStringLiteral("12345678903 | 12345678903 | 890 | 890 Primo ufficio");
    const QStringList ok{istante(Ok, giusto)}, errato{erratoSuRosso("12345678901")};
    riga("all'avvio: undici zeri spaziati su rosso, non un numero giusto", "", 1, true,
         QStringList{erratoSuRosso(Zeri)}, "", Azzerato);
    riga("numero giusto", giusto, 1, true, ok, giusto, trovato);
    riga("numero giusto, browser assente: nessun altro messaggio", giusto, 1, false, ok, giusto, trovato);
    riga("secondo clic dopo un successo", giusto, 2, true, ok + ok, giusto, trovato);
    riga("numero errato: cifre spaziate su rosso, poi tutto azzerato", "12345678901", 1, true, errato, "", Azzerato);
    riga("secondo clic dopo un errore: gli zeri non passano", "12345678901", 2, true,
         errato + QStringList{erratoSuRosso(Zeri)}, "", Azzerato);
    // An earlier box changed after the last one: the click looks the boxes'
    // number up first, so the office, the check and the clipboard agree.
    riga("prima casella cambiata dopo l'ultima: ora giusto", "12345678901|3", 1, true,
         QStringList{istante(Ok, "32345678901")}, "32345678901", "32345678901 | 32345678901 | 890 | 890 Primo ufficio");
    riga("prima casella cambiata dopo l'ultima: ora errato", "12345678903|2", 1, true,
         QStringList{erratoSuRosso("22345678903")}, "", Azzerato);
    riga("codice ufficio cambiato dopo l'ultima casella: cercato al clic", "12345678907|1234567058", 1, true,
         QStringList{istante(Ok, "12345670587")}, "12345670587", "12345670587 | 12345670587 | 058 | 058 Roma");
    riga("cifre 9 e 11 zero: numero giusto", "00488410010", 1, true, QStringList{istante(Ok, "00488410010")},
         "00488410010", "00488410010 | 00488410010 | 001 | 001 Torino");
    riga("ufficio inesistente battuto su un numero giusto: non passa", "12345670587|12340011050", 1, true,
         QStringList{istante("Codice Ufficio IVA inesistente", "12340011050", "verdeacqua", "rosso"),
                     erratoSuRosso(Zeri)},
         "", Azzerato);
}

void tst_PannelloIva::controllo()
{
    QFETCH(QString, tasti);
    QFETCH(int, clic);
    QFETCH(bool, browser);
    QFETCH(QString, appunti);

    f->platform.browserAvailable = browser;
    if (!tasti.isEmpty())
        digita(tasti);
    for (int i = 0; i < clic; ++i)
        QTest::mouseClick(f->ui().Command2, Qt::LeftButton);

    QTEST(duranteMessaggi, "messaggi");
    QTEST(pannello(), "pannello");
    QCOMPARE(backColor(f->ui().Text1), Colore::Verdeacqua);
    QCOMPARE(f->platform.clipboard, appunti);
    const int successi = appunti.isEmpty() ? 0 : clic;
    QCOMPARE(f->platform.clipboardClears, successi);
    QCOMPARE(f->platform.openedUrls.size(), successi);
    for (const QUrl &pagina : std::as_const(f->platform.openedUrls)) {
        QCOMPARE(pagina.scheme(), QStringLiteral("https"));
        QVERIFY2(pagina.host().endsWith(QLatin1String(".agenziaentrate.gov.it")), qPrintable(pagina.host()));
        QCOMPARE(pagina.path(), QStringLiteral("/servizi/vies/vies.htm"));
        QCOMPARE(pagina.query(), QStringLiteral("act=default&piva=&stato=IT"));
        QCOMPARE(pagina.fragment(), QStringLiteral("app"));
    }
}

// The office table taken away under the running program: the failure is
// reported as what it is, not as an unknown office, and the digits stay.
void tst_PannelloIva::ricercaUfficioSenzaTabella()
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("scrittura"));
        db.setDatabaseName(f->percorso());
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("DROP TABLE CodiciUfficioIva")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("scrittura"));

    digita(QStringLiteral("12345678903"));
    QCOMPARE(duranteMessaggi.size(), 1);
    QVERIFY2(duranteMessaggi.at(0).startsWith(QLatin1String("Errore imprevisto: ")), qPrintable(duranteMessaggi.at(0)));
    QVERIFY2(duranteMessaggi.at(0).endsWith(QLatin1String(", icona 0")), qPrintable(duranteMessaggi.at(0)));
    QCOMPARE(pannello(), QStringLiteral("12345678903 | 12345678903 | 890 | "));
    QCOMPARE(backColor(f->ui().Text15), Colore::CianoChiaro);
}

QTEST_MAIN(tst_PannelloIva)
#include "tst_pannelloiva.moc"
