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
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString Ok = QStringLiteral("Numero Partita IVA: OK: per accertarti dell'esistenza della Partita IVA, "
                                  "incolla il numero nel sito di controllo ");

// The panel as the user sees it after start-up or a reset.
const QString Azzerato = QStringLiteral("00000000000 |  |  | ");
const QString Zeri(11, u'0');

// What the user sees behind an open message box: its text, the number field
// and any box of the two coloured ones whose colour is not its usual one.
QString istante(const QString &testo, const QString &text1, const QString &colori = {})
{
    return QStringLiteral("%1 [%2]%3").arg(testo, text1, colori);
}

QString erratoSuRosso(const QString &cifre)
{
    const QString spaziato = cifre.split(QString(), Qt::SkipEmptyParts).join(QStringLiteral("  "));
    return istante(QStringLiteral("Numero Partita IVA: errato"), spaziato, QStringLiteral(" Text1 rosso"));
}

// Drags `testo` from elsewhere and drops it at the end of `box`, whose focus
// stays where it was.
void trascina(QWidget *box, const QString &testo)
{
    QMimeData dati;
    dati.setText(testo);
    const QPoint punto(box->width() - 2, box->height() / 2);
    QDragEnterEvent entra(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QDragMoveEvent muove(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QDropEvent lascia(punto, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    for (QEvent *e : std::initializer_list<QEvent *>{&entra, &muove, &lascia})
        QApplication::sendEvent(box, e);
}

} // namespace

class tst_PannelloIva : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pannello_data();
    void pannello();
    void ricercaUfficioSenzaTabella();

private:
    // Clicks the first box and types, as a user's keyboard does, into
    // whichever control holds the focus. '|' clicks the first box again, '⌫'
    // is Backspace, '⎘' pastes "45", '⇥' clicks the office list and '✓' the
    // check button; '⤓' drops "x" on the second box, '⑤' clicks it.
    void digita(const QString &tasti);
    // "digits | number field | office code | office list | focus", the focus
    // with its selected text when it is in a box; then what was copied and
    // how many pages were opened.
    QString vista() const;

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
        QString colori;
        for (auto [box, solito] :
             {std::pair(f->ui().Text1, Colore::Verdeacqua), std::pair(f->ui().Text15, Colore::CianoChiaro)})
            if (backColor(box) != solito)
                colori += QLatin1Char(' ') + box->objectName() + QLatin1Char(' ') + nomeColore(backColor(box));
        QString visto = istante(m.text, f->ui().Text1->text(), colori);
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
    QApplication::clipboard()->setText(QStringLiteral("45"));
    QTest::mouseClick(f->ui().Text(4), Qt::LeftButton);
    for (const QChar c : tasti) {
        if (c == u'|')
            QTest::mouseClick(f->ui().Text(4), Qt::LeftButton);
        else if (c == u'⇥')
            QTest::mouseClick(f->ui().CboUfficioIva, Qt::LeftButton);
        else if (c == u'✓')
            QTest::mouseClick(f->ui().Command2, Qt::LeftButton);
        else if (c == u'⎘')
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        else if (c == u'⌫')
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        else if (c == u'⑤')
            QTest::mouseClick(f->ui().Text(5), Qt::LeftButton);
        else if (c == u'⤓')
            trascina(f->ui().Text(5), QStringLiteral("x"));
        else
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
}

QString tst_PannelloIva::vista() const
{
    const FrmCodiceFiscaleUi &ui = f->ui();
    QString cifre;
    for (int n = 4; n <= 14; ++n)
        cifre += ui.Text(n)->text();
    QStringList parti{cifre, ui.Text1->text(), ui.Text15->text(), ui.CboUfficioIva->currentText()};
    QWidget *w = QApplication::focusWidget();
    const QLineEdit *box = w ? editor(w) : nullptr;
    parti << (box ? QStringLiteral("%1 [%2]").arg(w->objectName(), box->selectedText()) : w ? w->objectName() : "");
    if (!f->platform.clipboard.isEmpty() || f->platform.clipboardClears || !f->platform.openedUrls.isEmpty())
        parti << QStringLiteral("appunti %1 dopo %2 svuotamenti, %3 pagine")
                     .arg(f->platform.clipboard)
                     .arg(f->platform.clipboardClears)
                     .arg(f->platform.openedUrls.size());
    return parti.join(QStringLiteral(" | "));
}

void tst_PannelloIva::pannello_data()
{
    colonne<QString, QString, QStringList>("tasti", "vista", "messaggi");
    const QString primo = QStringLiteral(" | 890 | 890 Primo ufficio | ");
    const QStringList nessuno;
    const QString inesistente = istante("Codice Ufficio IVA inesistente", "12340011050", " Text15 rosso");
    // The first box's content is replaced by whatever is typed, even the same
    // digit; of two offices with the code, the first is shown.
    riga("zero battuto sullo zero della prima casella", "02345678904",
         "02345678904 | 02345678904" + primo + "CboUfficioIva []", nessuno);
    riga("lettera nella prima casella: zero selezionato, nessun messaggio", "a", Azzerato + " | Text4 [0]", nessuno);
    // Regression: a number whose digits 9 and 11 are both zero was never
    // assembled, so the check tested the number before it, or nothing.
    riga("cifre 9 e 11 zero: cercato come ogni numero", "00488410010",
         "00488410010 | 00488410010 | 001 | 001 Torino | CboUfficioIva []", nessuno);
    riga("cifre 9 e 11 zero, ufficio inesistente, battute su un numero: un messaggio, poi tutto azzerato",
         "12345670587|12340011050", Azzerato + " | Text14 []", QStringList{inesistente});

    // A box left without one digit gets "0" with the message and the focus
    // back with the "0" selected, ready to be typed over.
    const QStringList rifiutata{istante("Devi digitare un numero!", "")};
    riga("due cifre incollate in Text7", "123⎘", "12300000000 |  |  |  | Text7 [0]", rifiutata);
    riga("cifra di Text6 cancellata", "12⌫", "12000000000 |  |  |  | Text6 [0]", rifiutata);
    riga("lettera in Text9", "12345x", "12345000000 |  |  |  | Text9 [0]", rifiutata);
    // The last box changes by the erasing itself: no lookup then. The "0" it
    // gets when it is left is a change too, and looks up 890.
    riga("ultima casella cancellata, poi lasciata", "1234567890⌫⇥", "12345678900 | 12345678900" + primo + "Text14 [0]",
         QStringList{istante("Devi digitare un numero!", "12345678900")});

    // Text dropped on the second box while the focus is elsewhere is set back
    // to "0" as soon as the box is entered, without a message; that change
    // moves the focus on to the third box.
    riga("testo lasciato cadere nella seconda casella, poi entrata", "12⤓⑤", "10000000000 |  |  |  | Text6 [0]",
         nessuno);

    // Only a number that passes is copied and has the checking page opened.
    riga("numero giusto", "12345678903✓",
         "12345678903 | 12345678903" + primo + "Command2 | appunti 12345678903 dopo 1 svuotamenti, 1 pagine",
         QStringList{istante(Ok, "12345678903")});
    riga("numero errato: cifre spaziate su rosso, poi tutto azzerato", "12345678901✓", Azzerato + " | Text13 []",
         QStringList{erratoSuRosso("12345678901")});
    // Digits changed after the last box: the click looks the boxes' number up
    // first, so the office, the check and the clipboard agree.
    riga("codice ufficio cambiato dopo l'ultima casella: cercato al clic", "12345678907|1234567058✓",
         "12345670587 | 12345670587 | 058 | 058 Roma | Command2 | appunti 12345670587 dopo 1 svuotamenti, 1 pagine",
         QStringList{istante(Ok, "12345670587")});
    riga("cifre 9 e 11 zero: numero giusto", "00488410010✓",
         "00488410010 | 00488410010 | 001 | 001 Torino | Command2 | appunti 00488410010 dopo 1 svuotamenti, 1 pagine",
         QStringList{istante(Ok, "00488410010")});
    // After a reset the eleven zeros are no number, though their check digit
    // fits.
    riga("ufficio inesistente battuto su un numero giusto: gli zeri non passano", "12345670587|12340011050✓",
         Azzerato + " | Command2", QStringList{inesistente, erratoSuRosso(Zeri)});
}

void tst_PannelloIva::pannello()
{
    QFETCH(QString, tasti);
    digita(tasti);
    QTEST(vista(), "vista");
    QTEST(duranteMessaggi, "messaggi");
    QCOMPARE(backColor(f->ui().Text1), Colore::Verdeacqua);
    QCOMPARE(backColor(f->ui().Text15), Colore::CianoChiaro);
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
    }
    QSqlDatabase::removeDatabase(QStringLiteral("scrittura"));

    digita(QStringLiteral("12345678903"));
    QCOMPARE(duranteMessaggi.size(), 1);
    QVERIFY2(
        QRegularExpression(QStringLiteral("^Errore imprevisto: .*, icona 0$")).match(duranteMessaggi.at(0)).hasMatch(),
        qPrintable(duranteMessaggi.at(0)));
    QCOMPARE(vista(), QStringLiteral("12345678903 | 12345678903 | 890 |  | CboUfficioIva []"));
    QCOMPARE(backColor(f->ui().Text15), Colore::CianoChiaro);
}

QTEST_MAIN(tst_PannelloIva)
#include "tst_pannelloiva.moc"
