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
QList<QAccessibleInterface *> parti(QWidget *control)
{
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

QWidget *controllo(const QWidget *finestra, const QString &nome)
{
    return finestra->findChild<QWidget *>(nome);
}

// A click where the user types, or on a button.
void clic(QWidget *control)
{
    QTest::mouseClick(editor(control) ? editor(control) : control, Qt::LeftButton);
}

QWidget *browser()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmcomuni") && w->isVisible())
            return w;
    return nullptr;
}

void digitaNelFuoco(const QString &testo)
{
    for (QChar c : testo)
        digita(QApplication::focusWidget(), c);
}

} // namespace

class tst_Accessibilita : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void principale_data();
    void principale();
    void comuni_data();
    void comuni();
    void aiuto();
    void coloriDetti_data();
    void coloriDetti();

private:
    // Names are only read: one window serves every table of names.
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_Accessibilita::initTestCase()
{
    m_f = std::make_unique<FinestraDiProva>();
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

void tst_Accessibilita::cleanup()
{
    if (QWidget *b = browser())
        b->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_Accessibilita::cleanupTestCase()
{
    m_f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Accessibilita::principale_data()
{
    colonne<QString, QString>("controllo", "nome");
    riga("risultato, la cui didascalia finisce con i due punti", "txtCodiceFiscale", "Codice Fiscale");
    riga("cognome", "txtCognome", "Cognome");
    riga("nome", "txtNome", "Nome");
    riga("sesso, che dice la scelta come nome", "cboSesso", "Sesso");
    riga("comune, col suo campo", "cboComune", "Comune di nascita");
    riga("provincia", "Text2", "Provincia");
    riga("codice del comune", "Text3", "Codice");
    riga("stato estero, col suo campo", "CboStatoEstero", "Stato Estero");
    riga("data, la cui didascalia finisce con uno spazio", "txtDataNascita", "Data di nascita");
    riga("codice dell'ufficio, distinto da quello del comune", "Text15", "Codice Ufficio IVA");
    riga("ufficio IVA, col suo campo", "CboUfficioIva", "Ufficio IVA");
    riga("numero di partita IVA", "Text1", "Numero di partita IVA");
    for (int k = 1; k <= 11; ++k)
        QTest::addRow("cifra %d", k) << QStringLiteral("Text%1").arg(k + 3)
                                     << QStringLiteral("Partita IVA, cifra %1").arg(k);
}

void tst_Accessibilita::principale()
{
    QFETCH(QString, controllo);
    QFETCH(QString, nome);
    for (QAccessibleInterface *parte : parti(::controllo(m_f->form.get(), controllo)))
        QCOMPARE(::nome(parte), nome);
}

void tst_Accessibilita::comuni_data()
{
    colonne<QString, QString>("controllo", "nome");
    riga("griglia", "DataGrid1", "Elenco dei comuni");
    riga("ricerca, la cui didascalia non ha spazi", "Option1", "Ricerca comune");
    riga("pulizia", "Option4", "Pulisci");
    riga("riquadro, la cui didascalia è nascosta", "Frame1", "Ricerca dei comuni");
    riga("freccia al primo", "primo", "Primo comune");
    riga("freccia al precedente", "precedente", "Comune precedente");
    riga("freccia al successivo", "successivo", "Comune successivo");
    riga("freccia all'ultimo", "ultimo", "Ultimo comune");
}

void tst_Accessibilita::comuni()
{
    QFETCH(QString, controllo);
    QFETCH(QString, nome);
    m_f->scegliDalMenu(m_f->ui().CercaComuni);
    QVERIFY(browser());
    QCOMPARE(::nome(QAccessible::queryAccessibleInterface(::controllo(browser(), controllo))), nome);
}

void tst_Accessibilita::aiuto()
{
    m_f->apriModale(m_f->ui().Aiuto, [](QWidget *finestra) {
        QCOMPARE(nome(QAccessible::queryAccessibleInterface(controllo(finestra, QStringLiteral("Text1")))),
                 QStringLiteral("Testo della guida"));
    });
}

// While a box is marked by colour its description says why; once the colour
// goes back, it is described as before. A mark that lasts only while a
// message is shown is read then.
void tst_Accessibilita::coloriDetti_data()
{
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
    QWidget *form = f.form.get();
    auto leggi = [&] {
        QStringList descrizioni;
        for (const QString &segnato : segnati)
            for (QAccessibleInterface *parte : parti(controllo(form, segnato)))
                descrizioni << parte->text(QAccessible::Description);
        return descrizioni;
    };
    auto batti = [&](const QString &testo) {
        clic(controllo(form, dove));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        digitaNelFuoco(testo);
        if (!poi.isEmpty())
            clic(controllo(form, poi));
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
