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

// The sort and filter rules themselves are checked on the data source; these
// tests drive them through the window.

namespace {

const QString ordineDellaTabella =
    QStringLiteral("Roma, Milano, Forlì, Romano Canavese, Rovigo, Città di Castello, Sant'Agata de' Goti, Reggio "
                   "nell'Emilia, Castel San Pietro Terme, Francia, Germania, Stati Uniti d'America");
const QString perNome =
    QStringLiteral("Castel San Pietro Terme, Città di Castello, Forlì, Francia, Germania, Milano, Reggio nell'Emilia, "
                   "Roma, Romano Canavese, Rovigo, Sant'Agata de' Goti, Stati Uniti d'America");
const QString perProvincia = QStringLiteral("BN, BO, EE, EE, EE, FC, MI, PG, RE, RM, RO, TO");
const QString conR = QStringLiteral("Roma, Romano Canavese, Rovigo, Reggio nell'Emilia");

// The browser on show; a closed one lingers hidden until it is deleted.
QWidget *browser()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmcomuni") && !w->testAttribute(Qt::WA_WState_Hidden))
            return w;
    return nullptr;
}

template <typename T = QTableView> T *controllo(const char *nome = "DataGrid1")
{
    return browser()->findChild<T *>(QLatin1String(nome));
}

// The grid's column, top to bottom: names by default.
QString colonna(int c = 0)
{
    QStringList valori;
    const QAbstractItemModel *model = controllo()->model();
    for (int r = 0; r < model->rowCount(); ++r)
        valori << model->index(r, c).data().toString();
    return valori.join(QLatin1String(", "));
}

// Does what the user does, command by command: "?text" answers the search
// dialog with the text ("?" alone cancels it) and "Pulisci" resets, both
// clicked on their captions; an arrow of the navigation bar is clicked by
// its name; ⇥ Tab, ␣ Space and ↓ the down arrow go to the focused control;
// ✎ tries to edit the second name, by a double click and by F2; any other
// word clicks the header of that name.
void esegui(const QString &elenco, RecordingPlatform &platform)
{
    QHeaderView *h = controllo()->horizontalHeader();
    const QString tasti = QStringLiteral("⇥␣↓");
    for (const QString &c : elenco.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (c.startsWith(QLatin1Char('?')) || c == QLatin1String("Pulisci")) {
            if (c.startsWith(QLatin1Char('?')))
                platform.inputAnswers << c.mid(1);
            QRadioButton *o = controllo<QRadioButton>(c == QLatin1String("Pulisci") ? "Option4" : "Option1");
            QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(30, o->height() / 2));
        } else if (auto *freccia = controllo<QToolButton>(qPrintable(c))) {
            QTest::mouseClick(freccia, Qt::LeftButton);
        } else if (c == QStringLiteral("✎")) {
            QTableView *g = controllo();
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(1, 0)).center());
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Xyz"));
            QTest::keyClick(g, Qt::Key_F2);
            QTest::keyClicks(g, QStringLiteral("Abc\r"));
        } else if (tasti.contains(c)) {
            const Qt::Key chiavi[] = {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Down};
            QTest::keyClick(QApplication::focusWidget(), chiavi[tasti.indexOf(c)]);
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
    void sceltoDiNuovo_data();
    void sceltoDiNuovo();
    void sopravviveAdEsci();
    void leggeIlFileTrovatoAllAvvio();
    void databaseMancante();

private:
    void avvia();
    void cercaComuni() { f->scegliDalMenu(f->ui().CercaComuni); }

    std::unique_ptr<FinestraDiProva> f;
    QByteArray m_impronta; // of the file the window was started on
};

void tst_FrmComuni::avvia()
{
    f = std::make_unique<FinestraDiProva>();
    m_impronta = impronta(f->percorso());
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    cercaComuni();
    QVERIFY(browser());
    QVERIFY(QTest::qWaitForWindowActive(browser()));
}

void tst_FrmComuni::cleanup()
{
    if (QWidget *b = browser())
        b->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Every prompt is the search dialog's, every message a warning.
    for (const QString &domanda : f->platform.inputPrompts)
        QCOMPARE(domanda, "Ricerca COMUNE|Inserisci il Comune da trovare (anche solo le prime lettere)");
    for (const RecordingPlatform::Message &m : f->platform.messages)
        QCOMPARE(m.style, Platform::Exclamation);
    // The grid is a viewer: nothing the user does writes to the file.
    if (const QByteArray prima = std::exchange(m_impronta, {}); !prima.isEmpty())
        QCOMPARE(impronta(f->percorso()), prima);
    f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_FrmComuni::comandi_data()
{
    // mostrata: the column compared; scelta: the option button selected;
    // corrente: the grid's current row; messaggio: the one shown, over how
    // many rows
    colonne<QString, int, QString, QString, int, QString>("elenco", "mostrata", "attesi", "scelta", "corrente",
                                                          "messaggio");
    QStringList alRovescio = perNome.split(QLatin1String(", "));
    std::reverse(alRovescio.begin(), alRovescio.end());
    riga("nothing yet: the table's order", "", 0, ordineDellaTabella, "", 0, "");
    riga("Nome once: ascending", "Nome", 0, perNome, "", 0, "");
    riga("Nome twice: descending", "Nome Nome", 0, alRovescio.join(QLatin1String(", ")), "", 0, "");
    riga("another header starts ascending", "Nome Nome Prov", 1, perProvincia, "", 0, "");
    // After Reset the sort is "prov", which differs from "Prov ASC": the
    // first click on Prov keeps the order ascending.
    riga("Reset: every row, by province", "Nome Nome ?R Pulisci", 1, perProvincia, "Option4", 0, "");
    riga("Reset, then Prov: still ascending", "Nome ?R Pulisci Prov", 1, perProvincia, "Option4", 0, "");
    // Every click on RicercaComune asks again, even when it is selected.
    riga("one letter, then another: the second replaces the first", "?R ?M", 0, "Milano", "Option1", 0, "");
    riga("cancel changes nothing", "?R ?", 0, conR, "Option1", 0, "");
    riga("no match: one message, over an empty grid", "?Zurigo", 0, "", "Option1", -1, "Comune inesistente [0 righe]");
    riga("a cell edited: nothing changes", "✎", 0, ordineDellaTabella, "", 1, "");
    riga("past the last stays on it", "ultimo successivo", 0, ordineDellaTabella, "", 11, "");
    riga("before the first stays on it", "precedente", 0, ordineDellaTabella, "", 0, "");
    riga("back to the first", "successivo successivo primo", 0, ordineDellaTabella, "", 0, "");
    riga("the bar goes on from the row moved in the grid", "↓ ↓ successivo", 0, ordineDellaTabella, "", 3, "");
    riga("Tab leaves the grid for Pulisci, Space runs it", "?R ⇥ ␣", 1, perProvincia, "Option4", 0, "");
    riga("Tab twice reaches RicercaComune, Space asks", "⇥ ⇥ ␣", 0, ordineDellaTabella, "Option1", 0, "");
    // Regression: the focus stayed on RicercaComune, where the arrow moved to
    // Pulisci and clicked it, bringing every row back.
    riga("after a search the arrow moves in the grid", "?R ↓", 0, conR, "Option1", 1, "");
}

void tst_FrmComuni::comandi()
{
    QFETCH(QString, elenco);
    QFETCH(int, mostrata);
    QFETCH(QString, scelta);
    avvia();
    QString messaggio;
    f->platform.whileMessageOpen = [&](const RecordingPlatform::Message &m) {
        messaggio += QStringLiteral("%1 [%2 righe]").arg(m.text).arg(controllo()->model()->rowCount());
    };
    esegui(elenco, f->platform);
    QTEST(colonna(mostrata), "attesi");
    QTEST(messaggio, "messaggio");
    QCOMPARE(controllo<QRadioButton>("Option1")->isChecked(), scelta == QLatin1String("Option1"));
    QCOMPARE(controllo<QRadioButton>("Option4")->isChecked(), scelta == QLatin1String("Option4"));
    QVERIFY(f->platform.inputAnswers.isEmpty());
    QTEST(controllo()->currentIndex().row(), "corrente");
}

void tst_FrmComuni::sceltoDiNuovo_data()
{
    // chiusura: 0 left open, 1 closed and deleted, 2 closed, its deletion
    // still pending; dopoNome: after a click on the Nome header
    colonne<int, QString, QString>("chiusura", "attesi", "dopoNome");
    riga("while open: the same window, filter and sort kept", 0, "Rovigo, Romano Canavese, Roma, Reggio nell'Emilia",
         "Reggio nell'Emilia, Roma, Romano Canavese, Rovigo");
    riga("after closing: filter and sort dropped", 1, ordineDellaTabella, perNome);
    riga("after closing, before the closed window is deleted", 2, ordineDellaTabella, perNome);
}

void tst_FrmComuni::sceltoDiNuovo()
{
    QFETCH(int, chiusura);
    avvia();
    esegui(QStringLiteral("Nome Nome ?R"), f->platform);
    // Back to the main window first: waiting for it lets deletions run.
    f->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->form.get()));
    if (chiusura)
        browser()->close();
    if (chiusura == 1)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    cercaComuni();
    // A closed window whose deletion was pending is gone now, not shown again.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(browser());
    QVERIFY(QTest::qWaitForWindowActive(browser()));
    QTEST(colonna(), "attesi");
    esegui(QStringLiteral("Nome"), f->platform);
    QTEST(colonna(), "dopoNome");
}

// The browser belongs to no other window: Esci, and even the end of the main
// window, leave it open and working.
void tst_FrmComuni::sopravviveAdEsci()
{
    avvia();
    QPointer<QWidget> b = browser();
    f->form->activateWindow();
    QTest::mouseClick(f->ui().Command1, Qt::LeftButton);
    f->form.reset();
    QVERIFY(b && b->isVisible());
    esegui(QStringLiteral("Nome ?Mi"), f->platform);
    QCOMPARE(colonna(), QStringLiteral("Milano"));
}

// Regression: the browser looked for DatiAtto.mdb in the current folder, not
// where start-up had found it.
void tst_FrmComuni::leggeIlFileTrovatoAllAvvio()
{
    f = std::make_unique<FinestraDiProva>();
    const QString altrove = f->cartella() + QStringLiteral("/altrove/DatiAtto.mdb");
    QVERIFY(QDir().mkpath(f->cartella() + QStringLiteral("/altrove")));
    QVERIFY(QFile::rename(f->percorso(), altrove));
    f->platform.fileAnswers << altrove;
    const QString corrente = QDir::currentPath();
    QVERIFY(QDir::setCurrent(f->cartella()));
    const auto esito = f->avvia();
    QDir::setCurrent(corrente);
    QCOMPARE(esito, FrmCodiceFiscale::Avvio::Pronto);
    f->platform.messages.clear();
    cercaComuni();
    QCOMPARE(colonna(), ordineDellaTabella);
    QVERIFY(f->platform.messages.isEmpty());
}

// The data source's own description is shown and the grid stays empty:
// sorting and searching do nothing; Reset tries again and, once the file
// is back, shows every row.
void tst_FrmComuni::databaseMancante()
{
    f = std::make_unique<FinestraDiProva>();
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QVERIFY(QFile::remove(f->percorso()));
    cercaComuni();
    const QString errore = f->platform.messageTexts().value(0);
    QVERIFY2(errore.contains(f->percorso()), qPrintable(errore));
    esegui(QStringLiteral("Nome ?R Pulisci"), f->platform);
    QCOMPARE(f->platform.inputPrompts, QStringList());
    QCOMPARE(f->platform.messageTexts(), QStringList({errore, errore}));
    QCOMPARE(colonna(), QString());
    QVERIFY(creaDatabase(f->percorso(), FinestraDiProva::datiDiEsempio()));
    esegui(QStringLiteral("Pulisci"), f->platform);
    QCOMPARE(colonna(1), perProvincia);
    QCOMPARE(f->platform.messages.size(), 2);
}

QTEST_MAIN(tst_FrmComuni)
#include "tst_frmcomuni.moc"
