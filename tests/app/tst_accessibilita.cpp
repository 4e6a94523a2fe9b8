// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "support/finestradiprova.h"
#include "support/tabella.h"
#include "support/tasti.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMetaEnum>
#include <QTest>

class tst_Accessibilita : public QObject
{
    Q_OBJECT

private slots:
    void detto_data();
    void detto();
    void ruolo_data();
    void ruolo();
    void azione_data();
    void azione();
};

// What a screen reader says of a control, and of the edit field inside it if it
// is an editable list box, which is met on its own: the name, then why it is
// marked by colour, if it is. The reason is the control's own description,
// whose every change Qt announces. One row for each way a name is given;
// battuto is typed in the control first.
void tst_Accessibilita::detto_data()
{
    colonne<QString, QString, QString, QString>("finestra", "controllo", "battuto", "detto");
    riga("caption ending with a colon", "FrmCodiceFiscale", "txtCodiceFiscale", "", "Codice Fiscale");
    riga("numbered digit boxes, described by their tooltip", "FrmCodiceFiscale", "Text14", "",
         "Partita IVA, cifra 11, Ultima cifra di controllo del numero di partita IVA");
    riga("each digit box its own tooltip", "FrmCodiceFiscale", "Text12", "",
         "Partita IVA, cifra 9, seconda cifra del codice ufficio IVA");
    riga("two boxes captioned Codice: the place's", "FrmCodiceFiscale", "Text3", "", "Codice del comune");
    riga("two boxes captioned Codice: the office's", "FrmCodiceFiscale", "Text15", "", "Codice ufficio IVA");
    riga("an example code shown in the box is no description", "frmVerificaCodice", "txtCodice", "",
         "Codice fiscale, Sedici caratteri; spazi e minuscole ammessi");
    // Tab leaves the date; no place begins with an x: its key-up marks the box red.
    riga("caption ending with a blank; date not valid", "FrmCodiceFiscale", "txtDataNascita", "31/02/1980⇥",
         "Data di nascita, Data di nascita non valida");
    riga("date corrected: the reason is gone", "FrmCodiceFiscale", "txtDataNascita",
         "31/02/1980⇥[txtDataNascita]⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫01/02/1980⇥", "Data di nascita");
    riga("place not found", "FrmCodiceFiscale", "cboComune", "x", "Comune di nascita, Comune inesistente");
    riga("hidden caption", "frmcomuni", "Frame1", "", "Ricerca dei comuni");
    riga("button showing only an icon", "frmcomuni", "ultimo", "", "Ultimo comune");
    riga("help text", "frmHelpCodFisc", "Text1", "", "Testo della guida");
}

void tst_Accessibilita::detto()
{
    QFETCH(QString, finestra);
    QFETCH(QString, controllo);
    QFETCH(QString, battuto);
    FinestraDiProva f;
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    const auto guarda = [&](QWidget *w) {
        QWidget *control = w->findChild<QWidget *>(controllo);
        if (!battuto.isEmpty())
            QTest::mouseClick(editor(control), Qt::LeftButton);
        batti(w, battuto);
        QWidgetList parti{control};
        if (qobject_cast<QComboBox *>(control) && editor(control))
            parti << editor(control);
        for (QWidget *parte : parti) {
            // A list box gives its choice as its name: it is called by its caption.
            QAccessibleInterface *nome = QAccessible::queryAccessibleInterface(parte);
            if (nome->role() == QAccessible::ComboBox)
                nome = nome->relations(QAccessible::Label).value(0).first;
            const QString motivo = QAccessible::queryAccessibleInterface(parte)->text(QAccessible::Description);
            QTEST((nome ? nome->text(QAccessible::Name) : QString()) + (motivo.isEmpty() ? "" : ", " + motivo),
                  "detto");
        }
    };
    if (finestra == "frmHelpCodFisc")
        return f.apriModale(f.ui().Aiuto, guarda);
    if (finestra != "FrmCodiceFiscale")
        f.scegliDalMenu(finestra == "frmcomuni" ? f.ui().CercaComuni : f.ui().VerificaCodice);
    QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow()->objectName() == finestra);
    guarda(QApplication::activeWindow());
    QApplication::activeWindow()->close();
}

// The role and name of a window (then closed with Esc), a menu entry or an option.
void tst_Accessibilita::ruolo_data()
{
    colonne<QString, QString, QString>("voce", "oggetto", "detto");
    riga("menu entry captioned as one word", "", "VerificaCodice", "MenuItem Verifica codice");
    riga("browser window", "CercaComuni", "frmcomuni", "Window Comuni by Ozmir");
    riga("verify window", "VerificaCodice", "frmVerificaCodice", "Window Verifica codice fiscale");
    riga("list check window", "ControllaElenco", "frmControlloElenco", "Window Controllo di un elenco");
    riga("one of two options", "CercaComuni", "Option4", "RadioButton Pulisci");
}

void tst_Accessibilita::ruolo()
{
    QFETCH(QString, voce);
    QFETCH(QString, oggetto);
    FinestraDiProva f;
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(f.form->findChild<QAction *>(oggetto));
    QWidget *w = nullptr;
    if (!i) {
        f.scegliDalMenu(f.form->findChild<QAction *>(voce));
        QTRY_VERIFY((w = FinestraDiProva::finestraAperta(voce == "CercaComuni" ? "frmcomuni" : oggetto)));
        i = QAccessible::queryAccessibleInterface(w->objectName() == oggetto ? w : w->findChild<QWidget *>(oggetto));
    }
    const QString ruolo = QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(i->role()));
    QTEST(ruolo + ' ' + i->text(QAccessible::Name), "detto");
    // Going up from a menu entry reaches the menu bar, which lists it.
    QVERIFY(w || (i->parent()->role() == QAccessible::MenuBar && i->parent()->indexOfChild(i) >= 0));
    if (w) {
        QTRY_COMPARE(QApplication::activeWindow(), w);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!w->isVisible());
    }
}

// What a screen reader does in place of a click: presses a menu entry, which
// is where it is drawn, or chooses an option, which it then hears chosen.
void tst_Accessibilita::azione_data()
{
    colonne<QString, QString>("oggetto", "finestra");
    riga("menu entry pressed", "VerificaCodice", "frmVerificaCodice");
    riga("option chosen", "Option1", "frmcomuni");
}

void tst_Accessibilita::azione()
{
    QFETCH(QString, oggetto);
    QFETCH(QString, finestra);
    FinestraDiProva f;
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QObject *bersaglio = f.form->findChild<QAction *>(oggetto);
    if (!bersaglio) {
        f.scegliDalMenu(f.ui().CercaComuni);
        QTRY_VERIFY(FinestraDiProva::finestraAperta(finestra));
        bersaglio = FinestraDiProva::finestraAperta(finestra)->findChild<QWidget *>(oggetto);
    }
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(bersaglio);
    QVERIFY(!i->state().disabled && !i->state().checked);
    auto *w = qobject_cast<QWidget *>(bersaglio);
    QWidget *dove = w ? w->window() : f.form.get();
    QVERIFY(dove->rect().contains(dove->mapFromGlobal(i->rect().center())));
    QAccessibleActionInterface *azioni = i->actionInterface();
    azioni->doAction(azioni->actionNames().constFirst());
    QTRY_VERIFY(FinestraDiProva::finestraAperta(finestra));
    if (w)
        QVERIFY(i->state().checked);
    FinestraDiProva::finestraAperta(finestra)->close();
}

QTEST_MAIN(tst_Accessibilita)
#include "tst_accessibilita.moc"
