// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"
#include "support/fixture.h"
#include "support/tabella.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

// The sort and filter rules themselves are checked on the data source, in
// tst_originecomuni; these tests drive them through the window.

namespace {

// The sample rows, and one whose name is made of wildcard characters.
QStringList dati()
{
    return FinestraDiProva::datiDiEsempio(
        {QStringLiteral("INSERT INTO Comuni VALUES ('Z_B%C*D[E]', 'ZZ', '', '', '')")});
}

const QString ordineDellaTabella =
    QStringLiteral("Roma, Milano, Forlì, Romano Canavese, Rovigo, Città di Castello, Sant'Agata de' Goti, Reggio "
                   "nell'Emilia, Castel San Pietro Terme, Francia, Germania, Stati Uniti d'America, Z_B%C*D[E]");
const QString perNome =
    QStringLiteral("Castel San Pietro Terme, Città di Castello, Forlì, Francia, Germania, Milano, Reggio nell'Emilia, "
                   "Roma, Romano Canavese, Rovigo, Sant'Agata de' Goti, Stati Uniti d'America, Z_B%C*D[E]");
const QString perNomeDiscendente =
    QStringLiteral("Z_B%C*D[E], Stati Uniti d'America, Sant'Agata de' Goti, Rovigo, Romano Canavese, Roma, Reggio "
                   "nell'Emilia, Milano, Germania, Francia, Forlì, Città di Castello, Castel San Pietro Terme");
const QString provinceCrescenti = QStringLiteral("BN, BO, EE, EE, EE, FC, MI, PG, RE, RM, RO, TO, ZZ");

QWidgetList browsers()
{
    QWidgetList trovati;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmcomuni"))
            trovati << w;
    return trovati;
}

// The browser on show; a closed one lingers hidden until it is deleted.
QWidget *browser()
{
    for (QWidget *w : browsers())
        if (!w->testAttribute(Qt::WA_WState_Hidden))
            return w;
    return nullptr;
}

QTableView *griglia()
{
    return browser()->findChild<QTableView *>(QStringLiteral("DataGrid1"));
}

QRadioButton *opzione(const char *nome)
{
    return browser()->findChild<QRadioButton *>(QLatin1String(nome));
}

// The grid's column, top to bottom: names by default.
QString colonna(int c = 0)
{
    QStringList valori;
    const QAbstractItemModel *model = griglia()->model();
    for (int r = 0; r < model->rowCount(); ++r)
        valori << model->index(r, c).data().toString();
    return valori.join(QLatin1String(", "));
}

// Clicks an option button on its caption, as the user does.
void clicOpzione(const char *nome)
{
    QRadioButton *o = opzione(nome);
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(30, o->height() / 2));
}

// Does what the user does, command by command: a column's name clicks its
// header, "?text" answers the search dialog with the text ("?" alone
// cancels it), "Pulisci" resets.
void esegui(const QString &elenco, RecordingPlatform &platform)
{
    QHeaderView *h = griglia()->horizontalHeader();
    for (const QString &c : elenco.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (c.startsWith(QLatin1Char('?'))) {
            platform.inputAnswers << c.mid(1);
            clicOpzione("Option1");
        } else if (c == QLatin1String("Pulisci")) {
            clicOpzione("Option4");
        } else {
            int sezione = 0;
            while (sezione < h->count() && h->model()->headerData(sezione, Qt::Horizontal).toString() != c)
                ++sezione;
            QVERIFY2(sezione < h->count(), qPrintable(c));
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                              QPoint(h->sectionViewportPosition(sezione) + 5, h->height() / 2));
        }
    }
}

} // namespace

class tst_FrmComuni : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void comandi_data();
    void comandi();
    void navigationBarMovesTheGridsRow_data();
    void navigationBarMovesTheGridsRow();
    void tastiera_data();
    void tastiera();
    void chosenAgain_data();
    void chosenAgain();
    void survivesEsci();
    void readsTheFileStartUpFound();
    void missingDatabase();
    void nothingIsWritten();

private:
    void avvia();
    void cercaComuni() { f->scegliDalMenu(f->ui().CercaComuni); }

    std::unique_ptr<FinestraDiProva> f;
};

void tst_FrmComuni::avvia()
{
    f = std::make_unique<FinestraDiProva>(dati());
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    cercaComuni();
    QVERIFY(browser());
}

void tst_FrmComuni::cleanup()
{
    if (QWidget *b = browser())
        b->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Every prompt is the search dialog's, every message a warning.
    const QStringList domande = f->platform.inputPrompts;
    const QList<RecordingPlatform::Message> messaggi = f->platform.messages;
    f.reset();
    for (const QString &domanda : domande)
        QCOMPARE(domanda, "Ricerca COMUNE|Inserisci il Comune da trovare (anche solo le prime lettere)");
    for (const RecordingPlatform::Message &m : messaggi)
        QCOMPARE(m.style, Platform::Exclamation);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_FrmComuni::comandi_data()
{
    // mostrata: the column compared
    // scelta: the option button selected
    colonne<QString, int, QString, QString, QStringList>("elenco", "mostrata", "attesi", "scelta", "messaggi");
    const QString provinceDecrescenti = QStringLiteral("ZZ, TO, RO, RM, RE, PG, MI, FC, EE, EE, EE, BO, BN");
    const QString conR = QStringLiteral("Roma, Romano Canavese, Rovigo, Reggio nell'Emilia");
    const QStringList nessuno = {QStringLiteral("Comune inesistente [0 righe]")};
    riga("nothing yet: the table's order", "", 0, ordineDellaTabella, "", QStringList());
    riga("Nome once: ascending", "Nome", 0, perNome, "", QStringList());
    riga("Nome twice: descending", "Nome Nome", 0, perNomeDiscendente, "", QStringList());
    riga("Nome three times: ascending again", "Nome Nome Nome", 0, perNome, "", QStringList());
    riga("another header starts ascending", "Nome Nome Prov", 1, provinceCrescenti, "", QStringList());
    // After Reset the sort is "prov", which differs from "Prov ASC": the
    // first click on Prov keeps the order ascending, the next reverses it.
    riga("Reset: every row, by province", "Nome Nome ?R Pulisci", 1, provinceCrescenti, "Option4", QStringList());
    riga("Reset, then Prov: still ascending", "Nome ?R Pulisci Prov", 1, provinceCrescenti, "Option4", QStringList());
    riga("Reset, then Prov twice: descending", "Nome ?R Pulisci Prov Prov", 1, provinceDecrescenti, "Option4",
         QStringList());
    // Every click on RicercaComune asks again, even when it is selected.
    riga("one letter, then another: the second replaces the first", "?R ?M", 0, "Milano", "Option1", QStringList());
    riga("an apostrophe", "?Sant'Agata", 0, "Sant'Agata de' Goti", "Option1", QStringList());
    riga("wildcard characters as typed", "?z_b%c*d[", 0, "Z_B%C*D[E]", "Option1", QStringList());
    riga("cancel changes nothing", "?R ?", 0, conR, "Option1", QStringList());
    riga("no match: one message, over an empty grid", "?Zurigo", 0, "", "Option1", nessuno);
    riga("no match, then Reset brings every row back", "?Zurigo Pulisci", 1, provinceCrescenti, "Option4", nessuno);
}

// The first row stays current whatever the commands.
void tst_FrmComuni::comandi()
{
    QFETCH(QString, elenco);
    QFETCH(int, mostrata);
    QFETCH(QString, scelta);
    avvia();
    QStringList messaggi;
    f->platform.whileMessageOpen = [&](const RecordingPlatform::Message &m) {
        messaggi << QStringLiteral("%1 [%2 righe]").arg(m.text).arg(griglia()->model()->rowCount());
    };
    esegui(elenco, f->platform);
    QTEST(colonna(mostrata), "attesi");
    QTEST(messaggi, "messaggi");
    QCOMPARE(opzione("Option1")->isChecked(), scelta == QLatin1String("Option1"));
    QCOMPARE(opzione("Option4")->isChecked(), scelta == QLatin1String("Option4"));
    QVERIFY(f->platform.inputAnswers.isEmpty());
    if (griglia()->model()->rowCount())
        QCOMPARE(griglia()->currentIndex().row(), 0);
}

void tst_FrmComuni::navigationBarMovesTheGridsRow_data()
{
    // passi: buttons of the bar, or "giù" for the Down key in the grid
    colonne<QStringList, int>("passi", "riga");
    riga("past the last stays on it", QStringList({"ultimo", "successivo"}), 12);
    riga("before the first stays on it", QStringList({"precedente"}), 0);
    riga("back to the first", QStringList({"successivo", "successivo", "primo"}), 0);
    riga("the bar goes on from the row moved in the grid", QStringList({"giù", "giù", "successivo"}), 3);
}

void tst_FrmComuni::navigationBarMovesTheGridsRow()
{
    QFETCH(QStringList, passi);
    QFETCH(int, riga);
    avvia();
    QWidget *barra = browser()->findChild<QWidget *>(QStringLiteral("Adodc1"));
    for (const QString &p : passi) {
        if (p == QStringLiteral("giù"))
            QTest::keyClick(griglia(), Qt::Key_Down);
        else
            QTest::mouseClick(barra->findChild<QToolButton *>(p), Qt::LeftButton);
    }
    QCOMPARE(griglia()->currentIndex().row(), riga);
    QCOMPARE(griglia()->selectionModel()->selectedRows(), QModelIndexList({griglia()->model()->index(riga, 0)}));
}

void tst_FrmComuni::tastiera_data()
{
    // tasti: ⇥ Tab, ␣ Space, ↓ the down arrow, each in the focused control
    colonne<QString, QString, QStringList, int, QString, QString>("prima", "tasti", "risposte", "mostrata", "attesi",
                                                                 "fuoco");
    const QString conR = QStringLiteral("Roma, Romano Canavese, Rovigo, Reggio nell'Emilia");
    riga("Tab leaves the grid for Pulisci, Space runs it", "?R", "⇥␣", QStringList(), 1, provinceCrescenti,
         "Option4");
    riga("Tab twice reaches RicercaComune, Space asks", "", "⇥⇥␣", QStringList{"Mi"}, 0, "Milano", "DataGrid1");
    // Regression: the focus stayed on RicercaComune, where the arrow moved to
    // Pulisci and clicked it, bringing every row back.
    riga("after a search the arrow moves in the grid", "?R", "↓", QStringList(), 0, conR, "DataGrid1");
}

void tst_FrmComuni::tastiera()
{
    QFETCH(QString, prima);
    QFETCH(QString, tasti);
    QFETCH(QStringList, risposte);
    QFETCH(int, mostrata);
    avvia();
    QVERIFY(QTest::qWaitForWindowActive(browser()));
    esegui(prima, f->platform);
    f->platform.inputAnswers << risposte;
    const QString simboli = QStringLiteral("⇥␣↓");
    const Qt::Key chiavi[] = {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Down};
    for (const QChar c : tasti)
        QTest::keyClick(QApplication::focusWidget(), chiavi[simboli.indexOf(c)]);
    QTEST(colonna(mostrata), "attesi");
    QTEST(QApplication::focusWidget()->objectName(), "fuoco");
    QVERIFY(f->platform.inputAnswers.isEmpty());
}

void tst_FrmComuni::chosenAgain_data()
{
    // chiusura: 0 left open, 1 closed and deleted, 2 closed, its deletion still pending
    // dopoNome: after a click on the Nome header
    colonne<int, QString, QString>("chiusura", "attesi", "dopoNome");
    riga("while open: the same window, filter and sort kept", 0, "Rovigo, Romano Canavese, Roma, Reggio nell'Emilia",
         "Reggio nell'Emilia, Roma, Romano Canavese, Rovigo");
    riga("after closing: filter and sort dropped", 1, ordineDellaTabella, perNome);
    riga("after closing, before the closed window is deleted", 2, ordineDellaTabella, perNome);
}

void tst_FrmComuni::chosenAgain()
{
    QFETCH(int, chiusura);
    avvia();
    esegui(QStringLiteral("Nome Nome ?R"), f->platform);
    if (chiusura)
        browser()->close();
    if (chiusura == 1) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(browsers().size(), 0);
    }
    f->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->form.get()));
    cercaComuni();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(browsers().size(), 1);
    QVERIFY(QTest::qWaitForWindowActive(browser()));
    QTEST(colonna(), "attesi");
    esegui(QStringLiteral("Nome"), f->platform);
    QTEST(colonna(), "dopoNome");
}

// The browser belongs to no other window: Esci, and even the end of the main
// window, leave it open and working.
void tst_FrmComuni::survivesEsci()
{
    avvia();
    QPointer<QWidget> b = browser();
    f->form->activateWindow();
    QTest::mouseClick(f->ui().Command1, Qt::LeftButton);
    QVERIFY(!f->form->isVisible());
    f->form.reset();
    QVERIFY(b && b->isVisible());
    esegui(QStringLiteral("Nome ?Mi"), f->platform);
    QCOMPARE(colonna(), QStringLiteral("Milano"));
}

// Regression: the browser looked for DatiAtto.mdb in the current folder, not
// where start-up had found it.
void tst_FrmComuni::readsTheFileStartUpFound()
{
    f = std::make_unique<FinestraDiProva>(dati());
    const QString altrove = f->cartella() + QStringLiteral("/altrove");
    QVERIFY(QDir().mkpath(altrove));
    QVERIFY(QFile::rename(f->percorso(), altrove + QStringLiteral("/DatiAtto.mdb")));
    f->platform.fileAnswers << altrove + QStringLiteral("/DatiAtto.mdb");
    const QString corrente = QDir::currentPath();
    QVERIFY(QDir::setCurrent(f->cartella()));
    const auto esito = f->avvia();
    QDir::setCurrent(corrente);
    QCOMPARE(esito, FrmCodiceFiscale::Avvio::Pronto);
    f->platform.messages.clear();
    cercaComuni();
    QVERIFY(browser());
    QCOMPARE(colonna(), ordineDellaTabella);
    QVERIFY(f->platform.messages.isEmpty());
}

// The data source's own description is shown and the grid stays empty:
// sorting and searching do nothing; Reset tries again and, once the file
// is back, shows every row.
void tst_FrmComuni::missingDatabase()
{
    f = std::make_unique<FinestraDiProva>(dati());
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QVERIFY(QFile::remove(f->percorso()));
    cercaComuni();
    QVERIFY(browser());
    QCOMPARE(f->platform.messages.size(), 1);
    const QString errore = f->platform.messages.at(0).text;
    QVERIFY2(errore.contains(f->percorso()), qPrintable(errore));
    QCOMPARE(colonna(), QString());

    esegui(QStringLiteral("Nome ?R"), f->platform);
    QCOMPARE(f->platform.inputPrompts, QStringList());
    esegui(QStringLiteral("Pulisci"), f->platform);
    QCOMPARE(f->platform.messageTexts(), QStringList({errore, errore}));
    QCOMPARE(colonna(), QString());

    QVERIFY(creaDatabase(f->percorso(), dati()));
    esegui(QStringLiteral("Pulisci"), f->platform);
    QCOMPARE(colonna(1), provinceCrescenti);
    QCOMPARE(f->platform.messages.size(), 2);
}

// The grid is a viewer: trying to edit a cell, and every command, leave the
// file as it was.
void tst_FrmComuni::nothingIsWritten()
{
    f = std::make_unique<FinestraDiProva>(dati());
    const QByteArray prima = impronta(f->percorso());
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    cercaComuni();
    QTableView *g = griglia();
    QVERIFY(QTest::qWaitFor([] { return browser()->isActiveWindow(); }));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(1, 0)).center());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Xyz"));
    QTest::keyClick(g, Qt::Key_F2);
    QTest::keyClicks(g, QStringLiteral("Abc\r"));
    QCOMPARE(colonna(), ordineDellaTabella);
    esegui(QStringLiteral("CodiceCatastale ?R Pulisci"), f->platform);
    browser()->close();
    QTest::mouseClick(f->ui().Command1, Qt::LeftButton);
    QCOMPARE(impronta(f->percorso()), prima);
}

QTEST_MAIN(tst_FrmComuni)
#include "tst_frmcomuni.moc"
