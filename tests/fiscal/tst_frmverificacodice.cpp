// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "support/finestradiprova.h"
#include "support/tabella.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

// The decoding rules themselves are checked without a window; these tests
// drive them through the window, with the database behind it.

namespace {

QWidget *finestra()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmVerificaCodice") && !w->testAttribute(Qt::WA_WState_Hidden))
            return w;
    return nullptr;
}

template <typename T = QLineEdit> T *box(const QString &nome)
{
    return finestra()->findChild<T *>(nome);
}

} // namespace

class tst_FrmVerificaCodice : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void mostrato_data();
    void mostrato();
    void unaSolaFinestraCheSopravviveAllaPrincipale();
    void ogniControlloHaUnNomeSuo();

private:
    void apri();

    std::unique_ptr<FinestraDiProva> f;
};

void tst_FrmVerificaCodice::init()
{
    // The sample places, with periods of validity, and a ceased state.
    f = std::make_unique<FinestraDiProva>(FinestraDiProva::datiDiEsempio(
        {QStringLiteral(
             "INSERT INTO Comuni VALUES ('Unione Sovietica (soppresso nel 1992)', 'EE', 'Z135', 'Z135', '')"),
         QStringLiteral("INSERT INTO Comuni VALUES ('Palau (Stato estero)', 'EE', 'Z734', 'Z734', '')"),
         QStringLiteral("INSERT INTO ValiditaLuoghi VALUES ('Z135', '', '1991-12-31')"),
         QStringLiteral("INSERT INTO ValiditaLuoghi VALUES ('Z734', '', '')"),
         QStringLiteral("INSERT INTO ValiditaLuoghi VALUES ('H501', '', '')")}));
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

// principale: surname|name|date|place code|code, in the main window before
// the window opens; its code starts the box. visto: outcome|omocodia|place|
// warning on the place|agreement with the main window, part by part.
void tst_FrmVerificaCodice::mostrato_data()
{
    colonne<QString, QString, QString, QString>("principale", "digitato", "visto", "appunti");
    riga("municipality, typed with blanks and small letters", "", "rss mra 80a01 h501u",
         "Codice fiscale valido|nessuna|Roma (RM) H501||,,,,", "RSS MRA 80A01 H501U");
    riga("state whose name already carries its mark", "", "RSSMRA80A01Z734C",
         "Codice fiscale valido|nessuna|Palau (Stato estero) Z734||,,,,", "RSS MRA 80A01 Z734C");
    riga("born after the place ceased", "", "VRDGPP95M44Z135A",
         "Codice fiscale valido|nessuna|Unione Sovietica (soppresso nel 1992) (Stato estero) Z135|"
         "Il 04/08/1995 questo luogo non esisteva più: è esistito fino al 31/12/1991|,,,,",
         "VRD GPP 95M44 Z135A");
    riga("born on the last day the place existed", "", "VRDGPP91T71Z135M",
         "Codice fiscale valido|nessuna|Unione Sovietica (soppresso nel 1992) (Stato estero) Z135||,,,,",
         "VRD GPP 91T71 Z135M");
    riga("unknown place code", "", "RSSMRA80A01H999G",
         "Codice fiscale valido|nessuna||Il codice di luogo H999 non è di alcun comune né Stato conosciuto|,,,,",
         "RSS MRA 80A01 H999G");
    riga("wrong check character: nothing to copy", "", "RSSMRA80A01H501A",
         "Codice non valido: il carattere di controllo dovrebbe essere U||||,,,,", "");
    const QString omocodico = QStringLiteral("Codice fiscale valido|3 su 7 cifre sostituite da lettere; codice di base "
                                             "RSS MRA 80A01 H501U|Roma (RM) H501||");
    riga("omocodic code of the same person agrees", "ROSSI|MARIO|1/1/1980|H501|RSS MRA 8LA01 H5LMI", "",
         omocodico + "concorda,concorda,concorda,concorda,concorda", "RSS MRA 8LA01 H5LMI");
    riga("another day", "ROSSI|MARIO|2/1/1980|H501|RSS MRA 8LA01 H5LMI", "",
         omocodico + "concorda,concorda,non concorda,concorda,concorda", "RSS MRA 8LA01 H5LMI");
    riga("no date: nothing to compare", "ROSSI|MARIO||H501|RSS MRA 8LA01 H5LMI", "", omocodico + ",,,,",
         "RSS MRA 8LA01 H5LMI");
}

void tst_FrmVerificaCodice::mostrato()
{
    QFETCH(QString, principale);
    QFETCH(QString, digitato);
    QFETCH(QString, visto);
    QFETCH(QString, appunti);
    const QStringList dati = principale.split(QLatin1Char('|'));
    QLineEdit *const campi[] = {f->ui().txtCognome, f->ui().txtNome, f->ui().txtDataNascita, f->ui().Text3,
                                f->ui().txtCodiceFiscale};
    for (int i = 0; i < dati.size(); ++i)
        campi[i]->setText(dati.at(i));
    apri();
    QTest::keyClicks(box("txtCodice"), digitato);
    QStringList confronto;
    for (int i = 1; i <= 5; ++i)
        confronto << box(QStringLiteral("txtConfronto%1").arg(i))->text();
    const QStringList parti{box("txtEsito")->text(), box("txtOmocodia")->text(), box("txtLuogo")->text(),
                            box("txtAvvisoLuogo")->text(), confronto.join(QLatin1Char(','))};
    QCOMPARE(parti.join(QLatin1Char('|')), visto);
    // A colour alone says nothing to a screen reader: the reason goes with it.
    QCOMPARE(backColor(box("txtEsito")), appunti.isEmpty() ? Colore::Rosso : Colore::Verdeacqua);
    QCOMPARE(box("txtEsito")->accessibleDescription(), parti.at(0));
    QCOMPARE(box("txtAvvisoLuogo")->accessibleDescription(), parti.at(3));
    QTest::mouseClick(box<QPushButton>(QStringLiteral("cmdCopia")), Qt::LeftButton);
    QCOMPARE(f->platform.clipboard, appunti);
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

// Each box and button is named, and the comparison boxes apart from the
// decoded ones they sit beside.
void tst_FrmVerificaCodice::ogniControlloHaUnNomeSuo()
{
    apri();
    QStringList nomi;
    for (QWidget *w : finestra()->findChildren<QWidget *>())
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QPushButton *>(w))
            nomi << QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    QVERIFY2(!nomi.contains(QString()) && nomi.removeDuplicates() == 0, qPrintable(nomi.join(QLatin1String(", "))));
}

QTEST_MAIN(tst_FrmVerificaCodice)
#include "tst_frmverificacodice.moc"
