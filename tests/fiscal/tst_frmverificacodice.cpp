// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "support/finestradiprova.h"
#include "support/tabella.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

// The decoding rules themselves are checked in tst_verificacodice; these
// tests drive them through the window, with the database behind it.

namespace {

// The sample places, with periods of validity, and a ceased state.
QStringList dati()
{
    return FinestraDiProva::datiDiEsempio(
        {QStringLiteral(
             "INSERT INTO Comuni VALUES ('Unione Sovietica (soppresso nel 1992)', 'EE', 'Z135', 'Z135', '')"),
         QStringLiteral("INSERT INTO ValiditaLuoghi VALUES ('Z135', '', '1991-12-31')"),
         QStringLiteral("INSERT INTO ValiditaLuoghi VALUES ('H501', '', '')")});
}

QWidget *finestra()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmVerificaCodice") && !w->testAttribute(Qt::WA_WState_Hidden))
            return w;
    return nullptr;
}

QLineEdit *box(const char *nome)
{
    return finestra()->findChild<QLineEdit *>(QLatin1String(nome));
}

} // namespace

class tst_FrmVerificaCodice : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void digitato_data();
    void digitato();
    void confronto_data();
    void confronto();
    void unaSolaFinestraCheSopravviveAllaPrincipale();
    void copiaRaggruppato();
    void incollaUnMegabyte();
    void ogniControlloHaUnNome();

private:
    void apri();

    std::unique_ptr<FinestraDiProva> f;
};

void tst_FrmVerificaCodice::init()
{
    f = std::make_unique<FinestraDiProva>(dati());
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

void tst_FrmVerificaCodice::cleanup()
{
    if (QWidget *w = finestra())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_FrmVerificaCodice::apri()
{
    f->scegliDalMenu(f->ui().VerificaCodice);
    QVERIFY(finestra());
    finestra()->activateWindow(); // no window manager under a bare X server
    QVERIFY(QTest::qWaitForWindowActive(finestra()));
    QCOMPARE(QApplication::focusWidget(), box("txtCodice"));
}

void tst_FrmVerificaCodice::digitato_data()
{
    colonne<QString, QString, QString, QString>("digitato", "esito", "luogo", "avviso");
    riga("municipality", "rss mra 80a01 h501u", "Codice fiscale valido", "Roma (RM) H501", "");
    riga("born after the place ceased", "VRDGPP95M44Z135A", "Codice fiscale valido",
         "Unione Sovietica (soppresso nel 1992) (Stato estero) Z135",
         "Il 04/08/1995 questo luogo non esisteva più: è esistito fino al 31/12/1991");
    riga("unknown place code", "RSSMRA80A01H999G", "Codice fiscale valido", "",
         "Il codice di luogo H999 non è di alcun comune né Stato conosciuto");
    riga("wrong check character", "RSSMRA80A01H501A", "Codice non valido: il carattere di controllo dovrebbe essere U",
         "", "");
}

void tst_FrmVerificaCodice::digitato()
{
    QFETCH(QString, digitato);
    QFETCH(QString, esito);
    QFETCH(QString, luogo);
    QFETCH(QString, avviso);
    apri();
    QTest::keyClicks(box("txtCodice"), digitato);
    QCOMPARE(box("txtEsito")->text(), esito);
    QCOMPARE(box("txtLuogo")->text(), luogo);
    QCOMPARE(box("txtAvvisoLuogo")->text(), avviso);
    // A colour alone says nothing to a screen reader: the reason goes with it.
    const bool valido = esito == QLatin1String("Codice fiscale valido");
    QCOMPARE(backColor(box("txtEsito")), valido ? Colore::Verdeacqua : Colore::Rosso);
    QCOMPARE(box("txtEsito")->accessibleDescription(), esito);
    QCOMPARE(box("txtAvvisoLuogo")->accessibleDescription(), avviso);
    QCOMPARE(finestra()->findChild<QPushButton *>(QStringLiteral("cmdCopia"))->isEnabled(), valido);
}

void tst_FrmVerificaCodice::confronto_data()
{
    // daccordo: surname, name, date, sex, place as the five boxes show them
    colonne<QString, QString, QString>("nome", "data", "daccordo");
    riga("all agree", "MARIO", "1/1/1980", "concorda concorda concorda concorda concorda");
    riga("another day", "MARIO", "2/1/1980", "concorda concorda non concorda concorda concorda");
    riga("no date: nothing to compare", "MARIO", "", "    ");
}

// The main window's computed code starts the box; an omocodic code of the
// same person agrees part by part.
void tst_FrmVerificaCodice::confronto()
{
    QFETCH(QString, nome);
    QFETCH(QString, data);
    QFETCH(QString, daccordo);
    f->ui().txtCognome->setText(QStringLiteral("ROSSI"));
    f->ui().txtNome->setText(nome);
    f->ui().txtDataNascita->setText(data);
    f->ui().Text3->setText(QStringLiteral("H501"));
    f->ui().txtCodiceFiscale->setText(QStringLiteral("RSS MRA 8LA01 H5LMI"));
    apri();
    QCOMPARE(box("txtCodice")->text(), QStringLiteral("RSS MRA 8LA01 H5LMI"));
    QStringList visto;
    for (int i = 1; i <= 5; ++i)
        visto << box(QByteArray("txtConfronto" + QByteArray::number(i)).constData())->text();
    QCOMPARE(visto.join(QLatin1Char(' ')), daccordo);
    QCOMPARE(box("txtOmocodia")->text(),
             QStringLiteral("3 su 7 cifre sostituite da lettere; codice di base RSS MRA 80A01 H501U"));
}

void tst_FrmVerificaCodice::unaSolaFinestraCheSopravviveAllaPrincipale()
{
    apri();
    QPointer<QWidget> prima = finestra();
    QTest::keyClicks(box("txtCodice"), QStringLiteral("RSSMRA80A01H501U"));
    f->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->form.get()));
    f->scegliDalMenu(f->ui().VerificaCodice);
    QCOMPARE(finestra(), prima.data());
    QVERIFY(!prima->isModal());
    QTest::mouseClick(f->ui().Command1, Qt::LeftButton);
    f->form.reset();
    QVERIFY(prima && prima->isVisible());
    QCOMPARE(box("txtCodice")->text(), QStringLiteral("RSSMRA80A01H501U"));
}

void tst_FrmVerificaCodice::copiaRaggruppato()
{
    apri();
    QTest::keyClicks(box("txtCodice"), QStringLiteral("rssmra80a01h501u"));
    QTest::mouseClick(finestra()->findChild<QPushButton *>(QStringLiteral("cmdCopia")), Qt::LeftButton);
    QCOMPARE(f->platform.clipboard, QStringLiteral("RSS MRA 80A01 H501U"));
}

// Pasted: any size, control characters, symbols outside the basic plane.
void tst_FrmVerificaCodice::incollaUnMegabyte()
{
    apri();
    QApplication::clipboard()->setText(QStringLiteral("RSSMRA80A01H501U\x01\U0001F600").repeated(1 << 16));
    QTest::keyClick(box("txtCodice"), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(box("txtCodice")->text().size() > 16);
    QVERIFY(box("txtEsito")
                ->text()
                .startsWith(QLatin1String("Codice non valido: il codice dovrebbe avere 16 caratteri, ne ha ")));
}

void tst_FrmVerificaCodice::ogniControlloHaUnNome()
{
    apri();
    QStringList senzaNome;
    for (QWidget *w : finestra()->findChildren<QWidget *>()) {
        if (!qobject_cast<QLineEdit *>(w) && !qobject_cast<QPushButton *>(w))
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).isEmpty())
            senzaNome << w->objectName();
    }
    QVERIFY2(senzaNome.isEmpty(), qPrintable(senzaNome.join(QLatin1String(", "))));
}

QTEST_MAIN(tst_FrmVerificaCodice)
#include "tst_frmverificacodice.moc"
