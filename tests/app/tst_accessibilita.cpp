// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "support/finestradiprova.h"
#include "support/tabella.h"
#include "support/tastiera.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

// The parts of a control that a screen reader meets on their own: the
// control, and the edit field inside an editable list box.
QList<QAccessibleInterface *> parti(QWidget *finestra, const QString &nome)
{
    QWidget *control = finestra->findChild<QWidget *>(nome);
    QList<QAccessibleInterface *> parti{QAccessible::queryAccessibleInterface(control)};
    if (auto *combo = qobject_cast<QComboBox *>(control); combo && combo->lineEdit())
        parti << QAccessible::queryAccessibleInterface(combo->lineEdit());
    return parti;
}

// What a screen reader calls a part. A list box gives its choice as its
// name, and is called by the caption tied to it.
QString nome(QAccessibleInterface *parte)
{
    if (parte->role() != QAccessible::ComboBox)
        return parte->text(QAccessible::Name);
    const auto etichette = parte->relations(QAccessible::Label);
    return etichette.isEmpty() ? QString() : etichette.first().first->text(QAccessible::Name);
}

QWidget *browser()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmcomuni") && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

class tst_Accessibilita : public QObject
{
    Q_OBJECT

private slots:
    void nomi_data();
    void nomi();
    void coloriDetti_data();
    void coloriDetti();
    void cleanup();
};

void tst_Accessibilita::cleanup()
{
    if (QWidget *b = browser())
        b->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

// finestra: the main window, the places' browser or the help.
void tst_Accessibilita::nomi_data()
{
    colonne<QString, QString, QString>("finestra", "controllo", "nome");
    riga("risultato, la cui didascalia finisce con i due punti", "principale", "txtCodiceFiscale", "Codice Fiscale");
    riga("sesso, che dice la scelta come nome", "principale", "cboSesso", "Sesso");
    riga("comune, col suo campo", "principale", "cboComune", "Comune di nascita");
    riga("data, la cui didascalia finisce con uno spazio", "principale", "txtDataNascita", "Data di nascita");
    riga("codice dell'ufficio, distinto da quello del comune", "principale", "Text15", "Codice Ufficio IVA");
    riga("ultima cifra della partita IVA", "principale", "Text14", "Partita IVA, cifra 11");
    riga("riquadro, la cui didascalia è nascosta", "comuni", "Frame1", "Ricerca dei comuni");
    riga("freccia, che mostra solo un'icona", "comuni", "ultimo", "Ultimo comune");
    riga("testo della guida", "aiuto", "Text1", "Testo della guida");
}

void tst_Accessibilita::nomi()
{
    QFETCH(QString, finestra);
    QFETCH(QString, controllo);
    QFETCH(QString, nome);
    FinestraDiProva f;
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    const auto guarda = [&](QWidget *w) {
        for (QAccessibleInterface *parte : parti(w, controllo))
            QCOMPARE(::nome(parte), nome);
    };
    if (finestra == QLatin1String("aiuto"))
        return f.apriModale(f.ui().Aiuto, guarda);
    if (finestra == QLatin1String("comuni"))
        f.scegliDalMenu(f.ui().CercaComuni);
    guarda(finestra == QLatin1String("comuni") ? browser() : f.form.get());
}

// While a box is marked by colour its description says why; once the colour
// goes back, it is described as before. A mark that lasts only while a
// message is shown is read then.
void tst_Accessibilita::coloriDetti_data()
{
    // errato and corretto are typed in dove, then poi is clicked
    colonne<QString, QString, QString, QStringList, QString, QString>("dove", "errato", "poi", "segnati", "motivo",
                                                                      "corretto");
    riga("comune inesistente", "cboComune", "Xyz", "txtCognome", QStringList{"cboComune", "Text2", "Text3"},
         "Comune inesistente", "Roma");
    riga("data non valida", "txtDataNascita", "31/02/1980", "txtCognome", QStringList{"txtDataNascita"},
         "Data di nascita non valida", "01/01/1980");
    riga("ufficio IVA inesistente", "Text4", "12345677771", "", QStringList{"Text15"}, "Codice Ufficio IVA inesistente",
         "");
    riga("partita IVA errata", "Text4", "12345670018", "Command2", QStringList{"Text1"}, "Numero Partita IVA errato",
         "");
}

void tst_Accessibilita::coloriDetti()
{
    QFETCH(QString, dove);
    QFETCH(QString, errato);
    QFETCH(QString, poi);
    QFETCH(QStringList, segnati);
    QFETCH(QString, motivo);
    QFETCH(QString, corretto);
    FinestraDiProva f;
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    const auto clic = [&f](const QString &nome) {
        QWidget *control = f.form->findChild<QWidget *>(nome);
        QTest::mouseClick(editor(control) ? editor(control) : control, Qt::LeftButton);
    };
    const auto leggi = [&] {
        QStringList descrizioni;
        for (const QString &segnato : segnati)
            for (QAccessibleInterface *parte : parti(f.form.get(), segnato))
                descrizioni << parte->text(QAccessible::Description);
        return descrizioni;
    };
    // Typed key by key into whichever box has the focus: the VAT digits move it on.
    const auto batti = [&](const QString &testo) {
        clic(dove);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        for (QChar c : testo)
            digita(QApplication::focusWidget(), c);
        if (!poi.isEmpty())
            clic(poi);
    };
    const QStringList prima = leggi();
    QStringList segnate;
    f.platform.whileMessageOpen = [&](const RecordingPlatform::Message &) { segnate = leggi(); };
    batti(errato);
    if (f.platform.messages.isEmpty())
        segnate = leggi();
    f.platform.whileMessageOpen = nullptr;
    QCOMPARE(segnate, QStringList(prima.size(), motivo));
    if (!corretto.isEmpty())
        batti(corretto);
    QCOMPARE(leggi(), prima);
}

QTEST_MAIN(tst_Accessibilita)
#include "tst_accessibilita.moc"
