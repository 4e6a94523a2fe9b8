// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"
#include "support/tabella.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

static QWidget *finestra()
{
    return FinestraDiProva::finestraAperta(QStringLiteral("frmVerificaCodice"));
}

class tst_FrmVerificaCodice : public QObject
{
    Q_OBJECT

    std::unique_ptr<FinestraDiProva> f;

    // The main window with `principale` (surname|name|date|place code|code)
    // in its boxes, and the verify window opened from its menu, active.
    QWidget *apri(const QString &principale)
    {
        f = FinestraDiProva::conDatiCompleti();
        if (f->avvia() != FrmCodiceFiscale::Avvio::Pronto)
            return nullptr;
        const FrmCodiceFiscaleUi &ui = f->ui();
        QLineEdit *const campi[] = {ui.txtCognome, ui.txtNome, ui.txtDataNascita, ui.Text3, ui.txtCodiceFiscale};
        for (int i = 0; i < principale.count(QLatin1Char('|')) + 1; ++i)
            campi[i]->setText(principale.section(QLatin1Char('|'), i, i));
        f->scegliDalMenu(ui.VerificaCodice);
        QWidget *w = finestra();
        w->activateWindow(); // no window manager under a bare X server
        return QTest::qWaitForWindowActive(w) && QApplication::focusWidget()->objectName() == "txtCodice" ? w : nullptr;
    }

private slots:
    void cleanup()
    {
        delete finestra();
        f.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // principale: surname|name|date|place code|code in the main window, whose
    // code starts the box. visto: outcome|omocodia|date|place|warning on the
    // place|agreement with the main window, part by part|note on it.
    // appunti: what Copia copies.
    void mostrato_data()
    {
        colonne<QString, QString, QString, QString>("principale", "digitato", "visto", "appunti");
        riga("state whose name carries its mark; no date to compare with", "ROSSI|MARIO||Z734|", "RSSMRA80A01Z734C",
             "Codice fiscale valido|nessuna|maschile|01/01/1980|Palau (Stato estero) Z734||||||"
             "|Nella finestra principale mancano cognome, nome, sesso, comune o data di nascita.",
             "RSS MRA 80A01 Z734C");
        riga("born after the place ceased", "", "VRDGPP95M44Z135A",
             "Codice fiscale valido|nessuna|femminile|04/08/1995|Unione Sovietica (Stato cessato nel 1991) Z135|"
             "Il 04/08/1995 questo luogo non esisteva più: è esistito fino al 31/12/1991||||||"
             "Nella finestra principale mancano cognome, nome, sesso, comune o data di nascita.",
             "VRD GPP 95M44 Z135A");
        riga("only the earlier century fits the place: it comes first, no warning", "", "RSSMRA19E10D005R",
             "Codice fiscale valido|nessuna|maschile|10/05/1919 (oppure 10/05/2019)|Corigliano Calabro (soppresso nel 2018) "
             "(CS) D005|||||||Nella finestra principale mancano cognome, nome, sesso, comune o data di nascita.",
             "RSS MRA 19E10 D005R");
        riga("province on the day of birth, not today's", "", "RSSMRA10A01G258Q",
             "Codice fiscale valido|nessuna|maschile|01/01/2010 (oppure 01/01/1910)|Palau (OT, oggi SS) G258|||||||"
             "Nella finestra principale mancano cognome, nome, sesso, comune o data di nascita.",
             "RSS MRA 10A01 G258Q");
        riga("a name that carries its province gets it once", "", "RSSMRA20A01D722N",
             "Codice fiscale valido|nessuna|maschile|01/01/1920 (oppure 01/01/2020)|Forno (soppresso nel 1928, NO) D722|||||||"
             "Nella finestra principale mancano cognome, nome, sesso, comune o data di nascita.",
             "RSS MRA 20A01 D722N");
        riga("a code only the register knows", "", "RSSMRA80E10E667A",
             "Codice fiscale valido|nessuna|maschile|10/05/1980|Lonato (soppresso nel 2007) (BS) E667|||||||"
             "Nella finestra principale mancano cognome, nome, sesso, comune o data di nascita.",
             "RSS MRA 80E10 E667A");
        riga("wrong check character: nothing to copy", "ROSSI|MARIO|1/1/1980|H501|", "RSSMRA80A01H501A",
             "Codice non valido: il carattere di controllo non corrisponde: almeno un carattere è sbagliato"
             "|||||||||||Il codice non è valido.",
             "");
        riga("omocodic code from the main window, of no known place, another day",
             "ROSSI|MARIO|2/1/1980|Z999|RSS MRA 8LA01 Z9VVK", "",
             "Codice fiscale valido|3 su 7 cifre sostituite da lettere; codice di base RSS MRA 80A01 Z999Y|maschile|"
             "01/01/1980|"
             "|Il codice di luogo Z999 non è di alcun comune né Stato conosciuto|concorda|concorda|non "
             "concorda, dai dati risulta 02/01/1980|concorda|concorda|",
             "RSS MRA 8LA01 Z9VVK");
        riga("omocodic code that agrees: not the one computed", "Noè|Zoè|1/1/1980|H501|", "NOEZOE80A01H50ML",
             "Codice fiscale valido|1 su 7 cifre sostituite da lettere; codice di base NOE ZOE 80A01 H501T|maschile|01/01/1980|"
             "Roma (RM) H501||concorda|concorda|concorda|concorda|concorda|Il codice concorda con i dati, ma è una "
             "variante per omocodia: dai dati risulta NOE ZOE 80A01 H501T.",
             "NOE ZOE 80A01 H50ML");
    }

    // The window, one of its kind and not modal, outlives the main window;
    // each box has a name of its own for a screen reader.
    void mostrato()
    {
        QFETCH(QString, principale);
        QFETCH(QString, digitato);
        const QPointer<QWidget> w = apri(principale);
        QVERIFY(w);
        const auto box = [&w](const char *nome) { return w->findChild<QTextEdit *>(QLatin1String(nome)); };
        QTest::keyClicks(w->findChild<QLineEdit *>(QStringLiteral("txtCodice")), digitato);
        QStringList visto, nomi;
        for (const char *nome : {"txtEsito", "txtOmocodia", "txtSesso", "txtDataNascita", "txtLuogo", "txtAvvisoLuogo",
                                 "txtConfronto1", "txtConfronto2", "txtConfronto3", "txtConfronto4", "txtConfronto5"})
            visto << box(nome)->toPlainText();
        visto << w->findChild<QLabel *>(QStringLiteral("lblConfronto"))->text();
        QTEST(visto.join(QLatin1Char('|')), "visto");
        // A colour alone says nothing to a screen reader: the reason goes with it.
        QCOMPARE(box("txtEsito")->accessibleDescription() + box("txtAvvisoLuogo")->accessibleDescription(),
                 visto.at(0) + visto.at(5));
        // Every reason is shown whole: each box is as tall as its text.
        for (QTextEdit *e : w->findChildren<QTextEdit *>()) {
            QTRY_VERIFY2(e->document()->size().height() <= e->viewport()->height(), qPrintable(e->objectName()));
            nomi << QAccessible::queryAccessibleInterface(e)->text(QAccessible::Name);
        }
        QVERIFY2(!nomi.contains(QString()) && nomi.removeDuplicates() == 0, qPrintable(nomi.join(QLatin1Char(','))));
        QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdCopia")), Qt::LeftButton);
        QTEST(f->platform.clipboard, "appunti");

        // Asked for again from behind the main window, it comes in front (on
        // a real screen, where windows are stacked).
        f->form->move(w->pos());
        f->form->raise();
        f->scegliDalMenu(f->ui().VerificaCodice);
        QCOMPARE(finestra(), w.data());
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QTRY_COMPARE(QApplication::topLevelAt(w->geometry().topLeft() + QPoint(5, 5)), w.data());
        QVERIFY(!w->isModal());
        f->form.reset();
        QVERIFY(w && w->isVisible());
    }

    // While both windows are open, the comparison follows what the user
    // types in the main one, and says what the data give.
    void confrontoDalVivo()
    {
        const QPointer<QWidget> w = apri(QStringLiteral("ROSSI|MARIO|1/1/1980|H501|RSS MRA 80A01 H501U"));
        QVERIFY(w);
        auto *nome = w->findChild<QTextEdit *>(QStringLiteral("txtConfronto2"));
        QCOMPARE(nome->toPlainText(), QStringLiteral("concorda"));
        f->form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->form.get()));
        QTest::mouseDClick(f->ui().txtNome, Qt::LeftButton);
        QTest::keyClicks(f->ui().txtNome, QStringLiteral("luigi"));
        QCOMPARE(nome->toPlainText(), QStringLiteral("non concorda, dai dati risulta LGU"));
        QCOMPARE(nome->accessibleDescription(), QStringLiteral("Nome: non concorda, dai dati risulta LGU"));
        f->form->close();
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblConfronto"))->text(),
                 QStringLiteral("La finestra principale è chiusa."));
    }
};

QTEST_MAIN(tst_FrmVerificaCodice)
#include "tst_frmverificacodice.moc"
