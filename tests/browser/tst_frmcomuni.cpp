// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"
#include "support/fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

const QString titoloRicerca =
    QStringLiteral("Ricerca COMUNE|Inserisci il Comune da trovare (anche solo le prime lettere)");

// The sample rows of the fixture, by name and by province (equal provinces in
// the table's order).
const QStringList ordineDellaTabella = {"Roma",
                                        "Milano",
                                        "Forlì",
                                        "Romano Canavese",
                                        "Rovigo",
                                        "Città di Castello",
                                        "Sant'Agata de' Goti",
                                        "Reggio nell'Emilia",
                                        "Castel San Pietro Terme",
                                        "Francia",
                                        "Germania",
                                        "Stati Uniti d'America"};
const QStringList perNome = {"Castel San Pietro Terme",
                             "Città di Castello",
                             "Forlì",
                             "Francia",
                             "Germania",
                             "Milano",
                             "Reggio nell'Emilia",
                             "Roma",
                             "Romano Canavese",
                             "Rovigo",
                             "Sant'Agata de' Goti",
                             "Stati Uniti d'America"};
const QStringList perProvincia = {
    "Sant'Agata de' Goti", "Castel San Pietro Terme", "Francia", "Germania", "Stati Uniti d'America", "Forlì", "Milano",
    "Città di Castello",   "Reggio nell'Emilia",      "Roma",    "Rovigo",   "Romano Canavese"};
const QStringList perProvinciaDiscendente = {"Romano Canavese",
                                             "Rovigo",
                                             "Roma",
                                             "Reggio nell'Emilia",
                                             "Città di Castello",
                                             "Milano",
                                             "Forlì",
                                             "Francia",
                                             "Germania",
                                             "Stati Uniti d'America",
                                             "Castel San Pietro Terme",
                                             "Sant'Agata de' Goti"};

QStringList rovesciata(QStringList l)
{
    std::reverse(l.begin(), l.end());
    return l;
}

QWidget *browser()
{
    QWidget *trovata = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmcomuni") && !w->testAttribute(Qt::WA_WState_Hidden))
            trovata = w;
    return trovata;
}

int browserAperti()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += w->objectName() == QLatin1String("frmcomuni");
    return n;
}

QTableView *griglia()
{
    return browser()->findChild<QTableView *>(QStringLiteral("DataGrid1"));
}

QRadioButton *opzione(const char *nome)
{
    return browser()->findChild<QRadioButton *>(QLatin1String(nome));
}

QStringList nomi()
{
    QStringList valori;
    const QAbstractItemModel *model = griglia()->model();
    for (int r = 0; r < model->rowCount(); ++r)
        valori << model->index(r, 0).data().toString();
    return valori;
}

void clicIntestazione(int colonna)
{
    QHeaderView *h = griglia()->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(colonna) + 5, h->height() / 2));
}

// Clicks an option button on its caption, as the user does.
void clicOpzione(const char *nome)
{
    QRadioButton *o = opzione(nome);
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(30, o->height() / 2));
}

// Clicks the headers of `colonne` in turn, then searches for `iniziali`.
void ordinaERicerca(const QList<int> &colonne, const QString &iniziali, RecordingPlatform &platform)
{
    for (int c : colonne)
        clicIntestazione(c);
    platform.inputAnswers << iniziali;
    clicOpzione("Option1");
}

void chiudiBrowser()
{
    if (QWidget *b = browser())
        b->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class tst_FrmComuni : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void opensOnTheTableAsItIs();
    void headerClicks_data();
    void headerClicks();
    void resetThenProvStaysAscendingThenReverses();
    void search_data();
    void search();
    void searchAndSortKeepEachOther();
    void searchMatchingNothingThenReset();
    void navigationBarMovesTheGridsRow_data();
    void navigationBarMovesTheGridsRow();
    void secondCercaComuniKeepsFilterAndSort();
    void closingDropsFilterAndSort_data();
    void closingDropsFilterAndSort();
    void survivesEsci();
    void readsTheFileStartUpFound();
    void unopenableDatabase_data();
    void unopenableDatabase();
    void gridIsAViewerAndNothingIsWritten();

private:
    void avvia(const QStringList &extra = {});
    void cercaComuni();

    std::unique_ptr<FinestraDiProva> f;
};

void tst_FrmComuni::avvia(const QStringList &extra)
{
    f = std::make_unique<FinestraDiProva>(FinestraDiProva::datiDiEsempio(extra));
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    cercaComuni();
    QVERIFY(browser());
}

void tst_FrmComuni::cercaComuni()
{
    QMenuBar *menu = f->form->menuBar();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(f->ui().CercaComuni).center());
}

void tst_FrmComuni::cleanup()
{
    chiudiBrowser();
    f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_FrmComuni::opensOnTheTableAsItIs()
{
    avvia();
    QWidget *b = browser();
    QCOMPARE(b->windowTitle(), QStringLiteral("Comuni by Ozmir"));
    QVERIFY(!b->parentWidget());
    QCOMPARE(nomi(), ordineDellaTabella);
    QCOMPARE(griglia()->currentIndex().row(), 0);
    QVERIFY(!opzione("Option1")->isChecked());
    QVERIFY(!opzione("Option4")->isChecked());
    QCOMPARE(b->findChild<QLabel *>(QStringLiteral("didascalia"))->text(), QStringLiteral("            COMUNI"));
    QVERIFY(f->platform.messages.isEmpty());
    // The columns are wider than the grid, which scrolls sideways.
    QVERIFY(griglia()->horizontalScrollBar()->maximum() > 0);
}

void tst_FrmComuni::headerClicks_data()
{
    QTest::addColumn<QList<int>>("colonne");
    QTest::addColumn<QStringList>("attesi");
    QTest::newRow("Nome once: ascending") << QList<int>{0} << perNome;
    QTest::newRow("Nome twice: descending") << QList<int>{0, 0} << rovesciata(perNome);
    QTest::newRow("Nome three times: ascending again") << QList<int>{0, 0, 0} << perNome;
    QTest::newRow("another header starts ascending") << QList<int>{0, 0, 1} << perProvincia;
    QTest::newRow("Prov twice: descending, equal provinces in the table's order")
        << QList<int>{1, 1} << perProvinciaDiscendente;
}

void tst_FrmComuni::headerClicks()
{
    QFETCH(QList<int>, colonne);
    QFETCH(QStringList, attesi);
    avvia();
    for (int c : colonne)
        clicIntestazione(c);
    QCOMPARE(nomi(), attesi);
    QCOMPARE(griglia()->currentIndex().row(), 0);
    QVERIFY(f->platform.messages.isEmpty());
}

// After Reset the sort is "prov", which differs from "Prov ASC": the first
// click on Prov keeps the order ascending, the next one reverses it.
void tst_FrmComuni::resetThenProvStaysAscendingThenReverses()
{
    avvia();
    ordinaERicerca({0, 0}, QStringLiteral("R"), f->platform);
    clicOpzione("Option4");
    QVERIFY(opzione("Option4")->isChecked());
    QVERIFY(!opzione("Option1")->isChecked());
    QCOMPARE(nomi(), perProvincia);
    clicIntestazione(1);
    QCOMPARE(nomi(), perProvincia);
    clicIntestazione(1);
    QCOMPARE(nomi(), perProvinciaDiscendente);
}

void tst_FrmComuni::search_data()
{
    QTest::addColumn<QStringList>("risposte"); // one search each; empty: cancelled
    QTest::addColumn<QStringList>("attesi");
    QTest::newRow("one letter, then another: the second replaces the first")
        << QStringList({"R", "M"}) << QStringList({"Milano"});
    QTest::newRow("small letters find capitals")
        << QStringList({"ro"}) << QStringList({"Roma", "Romano Canavese", "Rovigo"});
    QTest::newRow("accented capital") << QStringList({"CITTÀ"}) << QStringList({"Città di Castello"});
    QTest::newRow("apostrophe within the name") << QStringList({"Sant'Agata"}) << QStringList({"Sant'Agata de' Goti"});
    QTest::newRow("apostrophe then more letters")
        << QStringList({"stati uniti d'a"}) << QStringList({"Stati Uniti d'America"});
    QTest::newRow("underscore is no wildcard") << QStringList({"A_"}) << QStringList({"A_B%C*D[E]"});
    QTest::newRow("percent, asterisk and bracket as typed") << QStringList({"a_b%c*d["}) << QStringList({"A_B%C*D[E]"});
    QTest::newRow("cancel changes nothing")
        << QStringList({"R", ""}) << QStringList({"Roma", "Romano Canavese", "Rovigo", "Reggio nell'Emilia"});
}

// Every click on RicercaComune asks again, even when it is already selected.
void tst_FrmComuni::search()
{
    QFETCH(QStringList, risposte);
    QFETCH(QStringList, attesi);
    avvia({"INSERT INTO Comuni VALUES ('A_B%C*D[E]', 'XX', '', '', '')",
           "INSERT INTO Comuni VALUES ('Ab Prova', 'XX', '', '', '')"});
    for (const QString &r : risposte) {
        f->platform.inputAnswers << r;
        clicOpzione("Option1");
    }
    QCOMPARE(f->platform.inputPrompts, QStringList(risposte.size(), titoloRicerca));
    QVERIFY(opzione("Option1")->isChecked());
    QCOMPARE(nomi(), attesi);
    QCOMPARE(griglia()->currentIndex().row(), 0);
    QVERIFY(f->platform.messages.isEmpty());
}

void tst_FrmComuni::searchAndSortKeepEachOther()
{
    avvia();
    ordinaERicerca({0, 0}, QStringLiteral("r"), f->platform);
    QCOMPARE(nomi(), QStringList({"Rovigo", "Romano Canavese", "Roma", "Reggio nell'Emilia"}));
    clicIntestazione(1);
    QCOMPARE(nomi(), QStringList({"Reggio nell'Emilia", "Roma", "Rovigo", "Romano Canavese"}));
}

void tst_FrmComuni::searchMatchingNothingThenReset()
{
    avvia();
    int righeConMessaggio = -1;
    f->platform.whileMessageOpen = [&](const RecordingPlatform::Message &) { righeConMessaggio = nomi().size(); };
    f->platform.inputAnswers << QStringLiteral("Zurigo");
    clicOpzione("Option1");
    QCOMPARE(f->platform.messages.size(), 1);
    QCOMPARE(f->platform.messages.at(0).text, QStringLiteral("Comune inesistente"));
    QCOMPARE(f->platform.messages.at(0).style, Platform::Exclamation);
    QCOMPARE(f->platform.messages.at(0).title, Platform::defaultTitle());
    QCOMPARE(righeConMessaggio, 0);
    QCOMPARE(nomi(), QStringList());

    clicOpzione("Option4");
    QCOMPARE(nomi(), perProvincia);
    QCOMPARE(f->platform.messages.size(), 1);
}

void tst_FrmComuni::navigationBarMovesTheGridsRow_data()
{
    QTest::addColumn<QStringList>("passi"); // buttons of the bar, or "giù" for the Down key in the grid
    QTest::addColumn<int>("riga");
    QTest::newRow("last") << QStringList({"ultimo"}) << 11;
    QTest::newRow("past the last stays on it") << QStringList({"ultimo", "successivo"}) << 11;
    QTest::newRow("back from the last") << QStringList({"ultimo", "precedente", "precedente"}) << 9;
    QTest::newRow("before the first stays on it") << QStringList({"precedente"}) << 0;
    QTest::newRow("first") << QStringList({"successivo", "successivo", "primo"}) << 0;
    QTest::newRow("the bar goes on from the row moved in the grid") << QStringList({"giù", "giù", "successivo"}) << 3;
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

void tst_FrmComuni::secondCercaComuniKeepsFilterAndSort()
{
    avvia();
    QWidget *primo = browser();
    ordinaERicerca({0, 0}, QStringLiteral("R"), f->platform);
    f->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->form.get()));
    cercaComuni();
    QCOMPARE(browser(), primo);
    QCOMPARE(browserAperti(), 1);
    QVERIFY(QTest::qWaitForWindowActive(primo));
    QCOMPARE(nomi(), QStringList({"Rovigo", "Romano Canavese", "Roma", "Reggio nell'Emilia"}));
    clicIntestazione(0);
    QCOMPARE(nomi(), QStringList({"Reggio nell'Emilia", "Roma", "Romano Canavese", "Rovigo"}));
}

void tst_FrmComuni::closingDropsFilterAndSort_data()
{
    QTest::addColumn<bool>("giaDistrutto");
    QTest::newRow("chosen again after the closed browser is gone") << true;
    QTest::newRow("chosen again before the closed browser is deleted") << false;
}

void tst_FrmComuni::closingDropsFilterAndSort()
{
    QFETCH(bool, giaDistrutto);
    avvia();
    ordinaERicerca({0}, QStringLiteral("R"), f->platform);
    browser()->close();
    if (giaDistrutto) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(browserAperti(), 0);
    }
    cercaComuni();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(browserAperti(), 1);
    QCOMPARE(nomi(), ordineDellaTabella);
    QVERIFY(!opzione("Option1")->isChecked());
    clicIntestazione(0);
    QCOMPARE(nomi(), perNome);
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
    QVERIFY(b && b->isVisible());
    f->form.reset();
    QVERIFY(b && b->isVisible());
    clicIntestazione(0);
    QCOMPARE(nomi(), perNome);
    f->platform.inputAnswers << QStringLiteral("Mi");
    clicOpzione("Option1");
    QCOMPARE(nomi(), QStringList({"Milano"}));
}

// Regression: the browser looked for DatiAtto.mdb in the current folder, not
// where start-up had found it.
void tst_FrmComuni::readsTheFileStartUpFound()
{
    f = std::make_unique<FinestraDiProva>();
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
    QCOMPARE(nomi(), ordineDellaTabella);
    QVERIFY(f->platform.messages.isEmpty());
}

void tst_FrmComuni::unopenableDatabase_data()
{
    QTest::addColumn<bool>("rimosso"); // or overwritten with what is no database
    QTest::newRow("file removed after start-up") << true;
    QTest::newRow("file no longer a database") << false;
}

// The data source's own description is shown and the grid stays empty:
// sorting and searching do nothing; Reset tries again and, once the file
// is back, shows every row.
void tst_FrmComuni::unopenableDatabase()
{
    QFETCH(bool, rimosso);
    f = std::make_unique<FinestraDiProva>();
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QVERIFY(QFile::remove(f->percorso()));
    if (!rimosso) {
        QFile file(f->percorso());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Non sono un database.\n");
    }
    cercaComuni();
    QVERIFY(browser());
    QCOMPARE(f->platform.messages.size(), 1);
    const RecordingPlatform::Message errore = f->platform.messages.at(0);
    QVERIFY(!errore.text.isEmpty());
    if (rimosso)
        QVERIFY2(errore.text.contains(f->percorso()), qPrintable(errore.text));
    QCOMPARE(nomi(), QStringList());

    ordinaERicerca({0}, QStringLiteral("R"), f->platform);
    QCOMPARE(f->platform.inputPrompts, QStringList());
    QCOMPARE(f->platform.messages.size(), 1);
    QCOMPARE(nomi(), QStringList());

    clicOpzione("Option4");
    QCOMPARE(f->platform.messageTexts(), QStringList({errore.text, errore.text}));
    QCOMPARE(nomi(), QStringList());

    QVERIFY(creaDatabase(f->percorso(), FinestraDiProva::datiDiEsempio()));
    clicOpzione("Option4");
    QCOMPARE(nomi(), perProvincia);
    QCOMPARE(f->platform.messages.size(), 2);
}

void tst_FrmComuni::gridIsAViewerAndNothingIsWritten()
{
    f = std::make_unique<FinestraDiProva>();
    const QByteArray prima = impronta(f->percorso());
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    cercaComuni();
    QTableView *g = griglia();
    const QRect cella = g->visualRect(g->model()->index(1, 0));
    QVERIFY(QTest::qWaitFor([] { return browser()->isActiveWindow(); }));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cella.center());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Xyz"));
    QTest::keyClick(g, Qt::Key_F2);
    QTest::keyClicks(g, QStringLiteral("Abc"));
    QTest::keyClick(g, Qt::Key_Return);
    QCOMPARE(nomi(), ordineDellaTabella);
    ordinaERicerca({3}, QStringLiteral("R"), f->platform);
    clicOpzione("Option4");
    chiudiBrowser();
    QTest::mouseClick(f->ui().Command1, Qt::LeftButton);
    QCOMPARE(impronta(f->percorso()), prima);
}

QTEST_MAIN(tst_FrmComuni)
#include "tst_frmcomuni.moc"
