// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"
#include "support/tabella.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

const QString perProvincia = QStringLiteral("BN, BO, EE, EE, EE, FC, MI, PG, RE, RM, RO, TO");

QWidget *browser()
{
    return FinestraDiProva::finestraAperta(QStringLiteral("frmcomuni"));
}

template <typename T = QTableView> T *controllo(const char *nome = "DataGrid1")
{
    return browser()->findChild<T *>(QLatin1String(nome));
}

} // namespace

class tst_FrmComuni : public QObject
{
    Q_OBJECT

private slots:
    void comandi_data();
    void comandi();
    void cleanup() // a browser left open would be shown again to the next test
    {
        if (QWidget *b = browser())
            b->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

// elenco: "?text" clicks RicercaComune, answering the text ("?" alone
// cancels); Menu and Esci click the main window's, Esci then deletes it;
// Chiudi closes the browser; Sposta moves the data file to the program's
// folder or back; ⇥ Tab, ␣ Space, ↓ Down, → Right, ⌃ Ctrl+O go to the focus;
// Allarga enlarges the window; other names click that button (Option4 is
// Pulisci) or header.
void tst_FrmComuni::comandi_data()
{
    colonne<QString, int, QString, QString, int, int, QString>("elenco", "mostrata", "attesi", "scelta", "corrente",
                                                               "domande", "messaggi");
    riga("Nome twice: descending; chosen again while open, kept", "?R Nome Nome Menu", 0,
         QStringLiteral("Rovigo, Romano Canavese, Roma, Reggio nell'Emilia"), "Option1", 0, 1, "");
    riga("chosen after closing, before its deletion: anew; the bar stops at the last",
         "?R Nome Chiudi Menu ultimo successivo precedente", 1, "RM, MI, FC, TO, RO, PG, BN, RE, BO, EE, EE, EE", "",
         10, 1, "");
    // Back in the grid, ↓ moves: on RicercaComune it would click Pulisci.
    riga("each click asks, cancel keeps the search; the bar from the grid's row, stops at the first",
         "?M ?R ? ↓ ↓ primo precedente successivo ↓ precedente", 0,
         QStringLiteral("Roma, Romano Canavese, Rovigo, Reggio nell'Emilia"), "Option1", 1, 3, "");
    riga("Tab from the grid to Pulisci to RicercaComune", "?R ⇥ ␣ ⇥ ␣", 1, perProvincia, "Option1", 0, 2, "");
    riga("Tab goes round the grid and the two options only: the bar's arrows are for the mouse", "?R ⇥ ⇥ ⇥ ↓", 1,
         "RM, TO, RO, RE", "Option1", 1, 1, "");
    riga("by keyboard: Ctrl+O sorts by the current cell's column, again reverses; the grid grows with the window",
         "?R → ⌃ ⌃ Allarga", 1, "TO, RO, RM, RE", "Option1", 0, 1, "");
    riga("the browser outlives the main window; no match: one message over an empty grid", "Esci ?Zurigo successivo", 0,
         "", "Option1", -1, 1, "Comune inesistente [0 righe]");
    // After Pulisci the sort is "prov", not "Prov ASC": Prov keeps it ascending.
    riga("no file: its description, no search; Pulisci tries again", "Sposta Option4 ?R Sposta Option4 Prov", 1,
         perProvincia, "Option4", 0, 0, "datiatto.MDB [0 righe]");
}

// The data file is where the user showed it at start-up, not in the program's
// folder: the browser reads it there.
void tst_FrmComuni::comandi()
{
    QFETCH(QString, elenco);
    QFETCH(int, mostrata);
    FinestraDiProva f;
    const QString dati = f.cartella() + QStringLiteral("/datiatto.MDB");
    QVERIFY(QFile::rename(f.percorso(), dati));
    f.platform.fileAnswers << dati;
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QString messaggi, scelta, valori;
    f.platform.whileMessageOpen = [&](const RecordingPlatform::Message &m) {
        const QString testo = m.text.contains(dati) ? QStringLiteral("datiatto.MDB") : m.text;
        messaggi += QStringLiteral("%1 [%2 righe]").arg(testo).arg(controllo()->model()->rowCount());
    };
    const auto clic = [](QWidget *w, QPoint p = {}) { QTest::mouseClick(w, Qt::LeftButton, {}, p); };
    for (const QString &c : (QStringLiteral("Menu ") + elenco).split(QLatin1Char(' '))) {
        if (c == QLatin1String("Sposta")) {
            QVERIFY(QFile::rename(dati, f.percorso()) || QFile::rename(f.percorso(), dati));
        } else if (c == QLatin1String("Menu")) {
            f.scegliDalMenu(f.ui().CercaComuni);
            // A closed window whose deletion was pending is gone now, not shown again.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(browser() && QTest::qWaitForWindowActive(browser()));
        } else if (c == QLatin1String("Chiudi")) {
            browser()->close();
        } else if (c == QLatin1String("Esci")) {
            clic(f.ui().Command1);
            f.form.reset();
        } else if (auto *b = controllo<QAbstractButton>(c.startsWith(QLatin1Char('?')) ? "Option1" : qPrintable(c))) {
            if (c.startsWith(QLatin1Char('?')) && c.size() > 1)
                f.platform.inputAnswers << c.mid(1);
            clic(b, QPoint(8, b->height() / 2));
        } else if (c == QLatin1String("Allarga")) {
            browser()->resize(browser()->size() + QSize(100, 80));
            QTRY_COMPARE(controllo()->size(), QSize(845, 377));
            for (const char *sotto : {"Adodc1", "Frame1"})
                QVERIFY2(controllo<QWidget>(sotto)->y() >= controllo()->geometry().bottom(), sotto);
        } else if (const int t = QStringLiteral("⇥␣↓→⌃").indexOf(c); t >= 0) {
            const QKeyCombination tasti[] = {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Down, Qt::Key_Right,
                                             Qt::CTRL | Qt::Key_O};
            QTest::keyClick(QApplication::focusWidget(), tasti[t].key(), tasti[t].keyboardModifiers());
        } else {
            QHeaderView *h = controllo()->horizontalHeader();
            for (int s = 0; s < h->count(); ++s)
                if (h->model()->headerData(s, Qt::Horizontal).toString() == c)
                    clic(h->viewport(), QPoint(h->sectionViewportPosition(s) + 5, h->height() / 2));
        }
    }
    for (int r = 0; r < controllo()->model()->rowCount(); ++r)
        valori += (r ? QStringLiteral(", ") : QString()) + controllo()->model()->index(r, mostrata).data().toString();
    QTEST(valori, "attesi");
    for (const char *o : {"Option1", "Option4"})
        scelta += controllo<QRadioButton>(o)->isChecked() ? QLatin1String(o) : QLatin1String();
    QTEST(scelta, "scelta");
    QTEST(controllo()->currentIndex().row(), "corrente");
    QTEST(messaggi, "messaggi");
    QTEST(int(f.platform.inputPrompts.size()), "domande");
    for (const QString &domanda : std::as_const(f.platform.inputPrompts))
        QCOMPARE(domanda, QStringLiteral("Ricerca COMUNE|Inserisci il Comune da trovare (anche solo le prime lettere)"));
}

QTEST_MAIN(tst_FrmComuni)
#include "tst_frmcomuni.moc"
