// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"
#include "support/tabella.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

static QWidget *finestra()
{
    return FinestraDiProva::finestraAperta(QStringLiteral("frmVerificaCodice"));
}

class tst_FrmVerificaCodice : public QObject
{
    Q_OBJECT

    std::unique_ptr<FinestraDiProva> f;

private slots:
    void cleanup()
    {
        delete finestra();
        f.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // principale: surname|name|date|place code|code in the main window, whose
    // code starts the box. visto: outcome|omocodia|sex|date of birth|place|warning on the place|
    // agreement with the main window, part by part. appunti: what Copia copies.
    void mostrato_data()
    {
        colonne<QString, QString, QString, QString>("principale", "digitato", "visto", "appunti");
        riga("state whose name carries its mark; either century; no date to compare with", "ROSSI|MARIO||Z734|",
             "RSSMRA20A01Z734O",
             "Codice fiscale valido|nessuna|maschile|01/01/2020 (oppure 01/01/1920)|Palau (Stato estero) Z734||||||",
             "RSS MRA 20A01 Z734O");
        riga("born after the place ceased", "", "VRDGPP95M44Z135A",
             "Codice fiscale valido|nessuna|femminile|04/08/1995|Unione Sovietica (soppresso nel 1992) (Stato estero) Z135|"
             "Il 04/08/1995 questo luogo non esisteva più: è esistito fino al 31/12/1991|||||",
             "VRD GPP 95M44 Z135A");
        riga("wrong check character: nothing to copy", "", "RSSMRA80A01H501A",
             "Codice non valido: il carattere di controllo dovrebbe essere U||||||||||", "");
        riga("omocodic code from the main window, of no known place, another day",
             "ROSSI|MARIO|2/1/1980|Z999|RSS MRA 8LA01 Z9VVK", "",
             "Codice fiscale valido|3 su 7 cifre sostituite da lettere; codice di base RSS MRA 80A01 Z999Y|maschile|"
             "01/01/1980||"
             "Il codice di luogo Z999 non è di alcun comune né Stato conosciuto|concorda|concorda|non "
             "concorda|concorda|concorda",
             "RSS MRA 8LA01 Z9VVK");
    }

    // The window, one of its kind and not modal, outlives the main window;
    // each box has a name of its own for a screen reader.
    void mostrato()
    {
        QFETCH(QString, principale);
        QFETCH(QString, digitato);
        f = FinestraDiProva::conDatiCompleti();
        QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
        const FrmCodiceFiscaleUi &ui = f->ui();
        QLineEdit *const campi[] = {ui.txtCognome, ui.txtNome, ui.txtDataNascita, ui.Text3, ui.txtCodiceFiscale};
        for (int i = 0; i < principale.count(QLatin1Char('|')) + 1; ++i)
            campi[i]->setText(principale.section(QLatin1Char('|'), i, i));
        f->scegliDalMenu(ui.VerificaCodice);
        const QPointer<QWidget> w = finestra();
        QVERIFY(w);
        w->activateWindow(); // no window manager under a bare X server
        QVERIFY(QTest::qWaitForWindowActive(w));
        const auto box = [&w](const char *nome) { return w->findChild<QLineEdit *>(QLatin1String(nome)); };
        QCOMPARE(QApplication::focusWidget(), box("txtCodice"));
        QTest::keyClicks(box("txtCodice"), digitato);
        QStringList visto, nomi;
        for (const char *nome : {"txtEsito", "txtOmocodia", "txtSesso", "txtDataNascita", "txtLuogo", "txtAvvisoLuogo", "txtConfronto1",
                                 "txtConfronto2", "txtConfronto3", "txtConfronto4", "txtConfronto5"})
            visto << box(nome)->text();
        QTEST(visto.join(QLatin1Char('|')), "visto");
        // A colour alone says nothing to a screen reader: the reason goes with it.
        QCOMPARE(box("txtEsito")->accessibleDescription() + box("txtAvvisoLuogo")->accessibleDescription(),
                 visto.at(0) + visto.at(5));
        for (QLineEdit *e : w->findChildren<QLineEdit *>())
            nomi << QAccessible::queryAccessibleInterface(e)->text(QAccessible::Name);
        QVERIFY2(!nomi.contains(QString()) && nomi.removeDuplicates() == 0, qPrintable(nomi.join(QLatin1Char(','))));
        QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdCopia")), Qt::LeftButton);
        QTEST(f->platform.clipboard, "appunti");

        // Brought forward again, it reads the main window's data anew.
        ui.txtCognome->setText(QStringLiteral("VERDI"));
        f->form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->form.get()));
        f->scegliDalMenu(ui.VerificaCodice);
        QCOMPARE(finestra(), w.data());
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(box("txtConfronto1")->text(), visto.at(6).isEmpty() ? QString() : QStringLiteral("non concorda"));
        QVERIFY(!w->isModal());
        f->form.reset();
        QVERIFY(w && w->isVisible());
    }
};

QTEST_MAIN(tst_FrmVerificaCodice)
#include "tst_frmverificacodice.moc"
