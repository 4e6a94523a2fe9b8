// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "app/formevents.h"
#include "support/finestradiprova.h"
#include "support/tastiera.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString Inesistente = QStringLiteral("Comune inesistente (se all'estero scegli direttamente lo Stato)");

// A key as the keyboard delivers it: pressed in the control that has the
// focus, released in the one that has it afterwards.
void tasto(Qt::Key k)
{
    QTest::keyPress(QApplication::focusWidget(), k);
    QTest::keyRelease(QApplication::focusWidget(), k);
}

// Opens the list with a click on the arrow, as the user does, and clicks the
// entry.
void scegliColMouse(QComboBox *combo, const QString &voce)
{
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 4, combo->height() / 2));
    QAbstractItemView *elenco = combo->view();
    QVERIFY(elenco->isVisible());
    const QModelIndex i = combo->model()->index(combo->findText(voce), 0);
    elenco->scrollTo(i);
    const QPoint punto = elenco->visualRect(i).center();
    // The list follows the pointer only when it moves.
    QTest::mouseMove(elenco->viewport(), punto + QPoint(0, 1));
    QTest::mouseMove(elenco->viewport(), punto);
    QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, punto);
}

// Opens the list with F4, walks to the entry and takes it with Enter. The
// list closes on the press, so the release lands in the box.
void scegliDallElenco(QComboBox *combo, const QString &voce)
{
    QTest::keyPress(combo, Qt::Key_F4);
    QAbstractItemView *elenco = combo->view();
    QVERIFY(elenco->isVisible());
    QTest::keyRelease(elenco, Qt::Key_F4);
    const int riga = combo->findText(voce);
    for (int passi = 0; elenco->currentIndex().row() != riga && passi <= combo->count(); ++passi)
        QTest::keyClick(elenco, elenco->currentIndex().row() < riga ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyPress(elenco, Qt::Key_Return);
    QVERIFY(!elenco->isVisible());
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
}

// Moves through the closed list with the arrow keys until the entry shows.
void scegliConLeFrecce(QComboBox *combo, const QString &voce)
{
    const int riga = combo->findText(voce);
    for (int passi = 0; combo->currentIndex() != riga && passi <= combo->count(); ++passi)
        tasto(combo->currentIndex() < riga ? Qt::Key_Down : Qt::Key_Up);
}

void scegli(const QString &modo, QComboBox *combo, const QString &voce)
{
    if (modo == QLatin1String("mouse"))
        scegliColMouse(combo, voce);
    else if (modo == QLatin1String("elenco"))
        scegliDallElenco(combo, voce);
    else
        scegliConLeFrecce(combo, voce);
}

} // namespace

class tst_LuogoNascita : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void completamento_data();
    void completamento();
    void letteraPerLettera_data();
    void letteraPerLettera();
    void cancellazione_data();
    void cancellazione();
    void messaggioSoloSuTestoNero();
    void statoDigitato();
    void uscita_data();
    void uscita();
    void sceltaDelComune_data();
    void sceltaDelComune();
    void sceltaDelloStato_data();
    void sceltaDelloStato();
    void entrataNelloStato();
    void invioNonSceglie();
    void campiNulli_data();
    void campiNulli();
    void codiceCompleto_data();
    void codiceCompleto();

private:
    void avvia(std::unique_ptr<FinestraDiProva> f);
    void entraNelComune();
    // The text colour of the municipality box, and the background of it and
    // of the province and code boxes.
    void confrontaColori(int testo, int sfondo);
    QList<QWidget *> caselle() const { return {ui().cboComune, ui().Text2, ui().Text3}; }
    QString tag() const { return ui().cboComune->property("Tag").toString(); }
    const FrmCodiceFiscaleUi &ui() const { return m_f->ui(); }
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_LuogoNascita::init()
{
    avvia(std::make_unique<FinestraDiProva>());
}

void tst_LuogoNascita::cleanup()
{
    m_f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_LuogoNascita::avvia(std::unique_ptr<FinestraDiProva> f)
{
    m_f.reset();
    m_f = std::move(f);
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

void tst_LuogoNascita::entraNelComune()
{
    QTest::mouseClick(ui().cboComune->lineEdit(), Qt::LeftButton);
    QCOMPARE(m_f->form->events().activeControl(), ui().cboComune);
}

void tst_LuogoNascita::confrontaColori(int testo, int sfondo)
{
    QCOMPARE(foreColor(ui().cboComune), testo);
    for (QWidget *box : caselle())
        QCOMPARE(backColor(box), sfondo);
}

void tst_LuogoNascita::completamento_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("selezionato");
    QTest::addColumn<QString>("prov");
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("sfondo");
    QTest::addColumn<int>("messaggi");

    const int sistema = Colore::Sistema, rosso = Colore::Rosso;
    QTest::newRow("r: first name with R in index order") << "r" << "Reggio nell'Emilia" << "eggio nell'Emilia" << "RE" << "H223" << "r" << sistema << 0;
    QTest::newRow("R in capitals") << "R" << "Reggio nell'Emilia" << "eggio nell'Emilia" << "RE" << "H223" << "R" << sistema << 0;
    QTest::newRow("ro: the letter replaces the proposed tail") << "ro" << "Roma" << "ma" << "RM" << "H501" << "Ro" << sistema << 0;
    QTest::newRow("rov") << "rov" << "Rovigo" << "igo" << "RO" << "H620" << "Rov" << sistema << 0;
    QTest::newRow("roman: past Roma") << "roman" << "Romano Canavese" << "o Canavese" << "TO" << "H511" << "Roman" << sistema << 0;
    QTest::newRow("forlì in small letters") << "forlì" << "Forlì" << "" << "FC" << "D704" << "Forlì" << sistema << 0;
    QTest::newRow("FORLÌ in capitals") << "FORLÌ" << "Forlì" << "" << "FC" << "D704" << "ForlÌ" << sistema << 0;
    QTest::newRow("forli: accents count") << "forli" << "Forli" << "" << "?" << "?" << "Forli" << rosso << 1;
    QTest::newRow("leading blanks dropped by the completion") << "  rom" << "Roma" << "a" << "RM" << "H501" << "Rom" << sistema << 0;
    QTest::newRow("trailing blank proposes nothing") << "rom " << "Rom " << "" << "RM" << "H501" << "Rom" << sistema << 0;
    QTest::newRow("blanks only") << "  " << "  " << "" << "" << "" << "" << sistema << 0;
}

void tst_LuogoNascita::completamento()
{
    QFETCH(QString, digitato);
    QFETCH(QString, testo);
    QFETCH(QString, selezionato);
    QFETCH(QString, prov);
    QFETCH(QString, codice);
    QFETCH(QString, tag);
    QFETCH(int, sfondo);
    QFETCH(int, messaggi);
    entraNelComune();
    digita(ui().cboComune, digitato);
    QCOMPARE(ui().cboComune->currentText(), testo);
    QCOMPARE(ui().cboComune->lineEdit()->selectedText(), selezionato);
    QCOMPARE(ui().Text2->text(), prov);
    QCOMPARE(ui().Text3->text(), codice);
    QCOMPARE(this->tag(), tag);
    QCOMPARE(backColor(ui().cboComune), sfondo);
    QCOMPARE(m_f->platform.messages.size(), messaggi);
    QCOMPARE(ui().CboStatoEstero->currentText(), QString());
    QCOMPARE(QApplication::focusWidget(), ui().cboComune);
}

void tst_LuogoNascita::letteraPerLettera_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("nome");
    QTest::newRow("apostrophes and blanks") << "sant'agata de' goti" << "Sant'Agata de' Goti";
    QTest::newRow("apostrophe, in capitals") << "REGGIO NELL'EMILIA" << "Reggio nell'Emilia";
    QTest::newRow("three blanks") << "castel san pietro terme" << "Castel San Pietro Terme";
}

// Each letter keeps the whole name proposed. A blank adds nothing to the
// trimmed text, so it is left as typed until the next letter.
void tst_LuogoNascita::letteraPerLettera()
{
    QFETCH(QString, digitato);
    QFETCH(QString, nome);
    entraNelComune();
    for (int i = 0; i < digitato.size(); ++i) {
        digita(ui().cboComune, digitato.at(i));
        const bool blank = digitato.at(i) == QLatin1Char(' ');
        QCOMPARE(ui().cboComune->currentText(), blank ? nome.left(i + 1) : nome);
        QCOMPARE(ui().cboComune->lineEdit()->selectedText(), blank ? QString() : nome.mid(i + 1));
    }
    QVERIFY(!ui().Text3->text().isEmpty());
    QCOMPARE(m_f->platform.messages.size(), 0);
}

void tst_LuogoNascita::cancellazione_data()
{
    QTest::addColumn<int>("tastoPremuto");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace);
    QTest::newRow("Delete") << int(Qt::Key_Delete);
}

// Removing the proposed tail leaves the typed part, and nothing is proposed
// again (not even by a key that changes nothing) until the text grows.
void tst_LuogoNascita::cancellazione()
{
    QFETCH(int, tastoPremuto);
    entraNelComune();
    digita(ui().cboComune, QStringLiteral("rom"));
    tasto(Qt::Key(tastoPremuto));
    tasto(Qt::Key_Shift);
    QCOMPARE(ui().cboComune->currentText(), QStringLiteral("Rom"));
    QCOMPARE(ui().cboComune->lineEdit()->selectedText(), QString());
    QCOMPARE(tag(), QStringLiteral("Rom"));
    digita(ui().cboComune, QStringLiteral("a"));
    QCOMPARE(ui().cboComune->currentText(), QStringLiteral("Roma"));
    QCOMPARE(ui().cboComune->lineEdit()->cursorPosition(), 4);

    // Emptying the box by key forgets the typed text and nothing else.
    for (int i = 0; i < 4; ++i)
        tasto(Qt::Key_Backspace);
    QCOMPARE(ui().cboComune->currentText(), QString());
    QCOMPARE(tag(), QString());
    QCOMPARE(ui().Text2->text(), QStringLiteral("RM"));
    QCOMPARE(ui().Text3->text(), QStringLiteral("H501"));
    QCOMPARE(foreColor(ui().cboComune), Colore::Nero);
    QCOMPARE(backColor(ui().cboComune), Colore::Sistema);
    QCOMPARE(m_f->platform.messages.size(), 0);
}

// The text colour decides whether a failed lookup is reported: the first
// failure after the window opens, and the first after the leave check
// reported one, are marked in silence.
void tst_LuogoNascita::messaggioSoloSuTestoNero()
{
    RecordingPlatform &p = m_f->platform;
    entraNelComune();
    digita(ui().cboComune, QStringLiteral("q"));
    QCOMPARE(p.messages.size(), 0);
    for (QWidget *box : caselle()) {
        QCOMPARE(foreColor(box), Colore::Nero);
        QCOMPARE(backColor(box), Colore::Rosso);
    }
    QCOMPARE(ui().Text2->text(), QStringLiteral("?"));
    QCOMPARE(ui().Text3->text(), QStringLiteral("?"));

    digita(ui().cboComune, QStringLiteral("q"));
    QCOMPARE(p.messageTexts(), QStringList{Inesistente});
    QCOMPARE(p.messages.at(0).style, Platform::Exclamation);
    QCOMPARE(p.messages.at(0).title, QStringLiteral("Brantovel"));

    // Leaving: the focus waits in the date box while the message is open,
    // and comes back after it.
    QWidget *fuocoDuranteIlMessaggio = nullptr;
    int coloreDuranteIlMessaggio = -2;
    p.whileMessageOpen = [&](const RecordingPlatform::Message &) {
        fuocoDuranteIlMessaggio = m_f->form->events().activeControl();
        coloreDuranteIlMessaggio = foreColor(ui().cboComune);
    };
    QTest::mouseClick(ui().txtCognome, Qt::LeftButton);
    p.whileMessageOpen = nullptr;
    QCOMPARE(p.messageTexts(), QStringList({Inesistente, Inesistente}));
    QCOMPARE(fuocoDuranteIlMessaggio, ui().txtDataNascita);
    QCOMPARE(coloreDuranteIlMessaggio, Colore::Bianco);
    QCOMPARE(QApplication::focusWidget(), ui().cboComune);
    QCOMPARE(p.beeps, 1); // the date box was left on the way back
    QCOMPARE(foreColor(ui().cboComune), Colore::Bianco);

    // The Enter that closed the message was pressed elsewhere.
    QTest::keyRelease(ui().cboComune, Qt::Key_Return);
    QCOMPARE(p.messages.size(), 2);
    QCOMPARE(foreColor(ui().cboComune), Colore::Bianco);

    digita(ui().cboComune, QStringLiteral("q"));
    QCOMPARE(p.messages.size(), 2);
    QCOMPARE(foreColor(ui().cboComune), Colore::Nero);
    digita(ui().cboComune, QStringLiteral("q"));
    QCOMPARE(p.messages.size(), 3);

    // The red marking outlasts a completion found again.
    ui().cboComune->lineEdit()->selectAll();
    tasto(Qt::Key_Backspace);
    digita(ui().cboComune, QStringLiteral("r"));
    QCOMPARE(ui().cboComune->currentText(), QStringLiteral("Reggio nell'Emilia"));
    QCOMPARE(backColor(ui().cboComune), Colore::Rosso);
    QCOMPARE(backColor(ui().Text2), Colore::Rosso);
    QCOMPARE(ui().Text2->text(), QStringLiteral("RE"));
    QCOMPARE(p.messages.size(), 3);
}

void tst_LuogoNascita::statoDigitato()
{
    entraNelComune();
    digita(ui().cboComune, QStringLiteral("germ"));
    QCOMPARE(ui().cboComune->currentText(), QStringLiteral("Germania"));
    QCOMPARE(ui().cboComune->lineEdit()->selectedText(), QStringLiteral("ania"));
    QCOMPARE(ui().Text2->text(), QStringLiteral("EE"));
    QCOMPARE(ui().Text3->text(), QStringLiteral("Z112"));
    QCOMPARE(ui().CboStatoEstero->currentText(), QStringLiteral("Germania"));

    tasto(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui().txtDataNascita);
    QCOMPARE(ui().CboStatoEstero->currentText(), QString());
    QCOMPARE(ui().cboComune->currentText(), QStringLiteral("Germania"));
    confrontaColori(Colore::Nero, Colore::Bianco);
    QCOMPARE(m_f->platform.messages.size(), 0);
}

void tst_LuogoNascita::uscita_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QString>("fuoco");
    QTest::addColumn<QString>("prov");
    QTest::addColumn<QString>("codice");
    QTest::addColumn<int>("testoColore");
    QTest::addColumn<int>("sfondo");
    QTest::addColumn<int>("messaggi");
    QTest::addColumn<int>("beep");

    const int nero = Colore::Nero, bianco = Colore::Bianco, rosso = Colore::Rosso, sistema = Colore::Sistema;
    QTest::newRow("small-letter prefix: stored name of the first match") << "rom" << "Roma" << "txtDataNascita" << "RM" << "H501" << nero << bianco << 0 << 0;
    QTest::newRow("an entry's exact name is no choice from the list") << "Milano" << "Milano" << "txtDataNascita" << "MI" << "F205" << nero << bianco << 0 << 0;
    QTest::newRow("blanks around") << "  forlì " << "Forlì" << "txtDataNascita" << "FC" << "D704" << nero << bianco << 0 << 0;
    QTest::newRow("foreign state") << "stati" << "Stati Uniti d'America" << "txtDataNascita" << "EE" << "Z404" << nero << bianco << 0 << 0;
    QTest::newRow("unknown name: back through the date box") << "xyz" << "xyz" << "cboComune" << "?" << "?" << bianco << rosso << 1 << 1;
    QTest::newRow("after the last name") << "zzz" << "zzz" << "cboComune" << "?" << "?" << bianco << rosso << 1 << 1;
    QTest::newRow("empty: the focus goes where the user sent it") << "" << "" << "txtCognome" << "PP" << "CCCC" << sistema << sistema << 0 << 0;
    QTest::newRow("blanks only") << "   " << "   " << "txtCognome" << "PP" << "CCCC" << sistema << sistema << 0 << 0;
}

void tst_LuogoNascita::uscita()
{
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QFETCH(QString, fuoco);
    QFETCH(QString, prov);
    QFETCH(QString, codice);
    QFETCH(int, testoColore);
    QFETCH(int, sfondo);
    QFETCH(int, messaggi);
    QFETCH(int, beep);
    entraNelComune();
    ui().Text2->setText(QStringLiteral("PP"));
    ui().Text3->setText(QStringLiteral("CCCC"));
    ui().CboStatoEstero->setEditText(QStringLiteral("Francia"));
    ui().cboComune->setProperty("Tag", QStringLiteral("ro"));
    ui().cboComune->setEditText(testo);

    QTest::mouseClick(ui().txtCognome, Qt::LeftButton);
    QCOMPARE(ui().cboComune->currentText(), atteso);
    QCOMPARE(QApplication::focusWidget()->objectName(), fuoco);
    QCOMPARE(m_f->form->events().activeControl()->objectName(), fuoco);
    QCOMPARE(ui().Text2->text(), prov);
    QCOMPARE(ui().Text3->text(), codice);
    confrontaColori(testoColore, sfondo);
    QCOMPARE(m_f->platform.messages.size(), messaggi);
    QCOMPARE(m_f->platform.beeps, beep);
    QCOMPARE(tag(), QString());
    QCOMPARE(ui().CboStatoEstero->currentText(), QString());
}

void tst_LuogoNascita::sceltaDelComune_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("selezionato");
    QTest::addColumn<int>("beep");

    QTest::newRow("mouse") << "mouse" << "" << "Milano" << 1;
    QTest::newRow("mouse after Roma was proposed") << "mouse" << "rom" << "Milano" << 1;
    QTest::newRow("mouse after a lookup that found nothing (no current row)") << "mouse" << "q" << "Milano" << 1;
    QTest::newRow("mouse, list opened from txtNome, whose leave sends the focus to the sex")
        << "mouse" << "txtNome" << "Milano" << 1;
    QTest::newRow("Enter in the open list") << "elenco" << "" << "Milano" << 1;
    // Four steps from no entry to Milano, each a choice; each key release
    // then accepts the name and puts the caret at its end.
    QTest::newRow("arrow keys in the closed box") << "frecce" << "" << "" << 4;
}

// A choice ends with the chosen name confirmed from its own row, the focus
// back in the box and, unless a key release followed, the name selected.
void tst_LuogoNascita::sceltaDelComune()
{
    QFETCH(QString, modo);
    QFETCH(QString, prima);
    QFETCH(QString, selezionato);
    QFETCH(int, beep);
    if (prima == QLatin1String("txtNome")) {
        QTest::mouseClick(ui().txtNome, Qt::LeftButton);
    } else {
        entraNelComune();
        digita(ui().cboComune, prima);
    }
    scegli(modo, ui().cboComune, QStringLiteral("Milano"));

    QCOMPARE(ui().cboComune->currentText(), QStringLiteral("Milano"));
    QCOMPARE(ui().cboComune->lineEdit()->selectedText(), selezionato);
    QCOMPARE(QApplication::focusWidget(), ui().cboComune);
    QCOMPARE(m_f->form->events().activeControl(), ui().cboComune);
    QCOMPARE(ui().Text2->text(), QStringLiteral("MI"));
    QCOMPARE(ui().Text3->text(), QStringLiteral("F205"));
    confrontaColori(Colore::Nero, Colore::Bianco);
    QCOMPARE(m_f->platform.messages.size(), 0);
    QCOMPARE(m_f->platform.beeps, beep);
}

void tst_LuogoNascita::sceltaDelloStato_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("comune");
    QTest::addColumn<QString>("stato");
    QTest::addColumn<QString>("codice");
    QTest::addColumn<int>("messaggi");
    QTest::addColumn<int>("beep");

    QTest::newRow("mouse, empty municipality box") << "mouse" << "" << "Germania" << "Z112" << 0 << 0;
    // Leaving Roma sends the focus to the date box: the state box never gets
    // it, but its list is open all the same.
    QTest::newRow("mouse, leaving a valid municipality") << "mouse" << "Roma" << "Germania" << "Z112" << 0 << 1;
    QTest::newRow("mouse, leaving an unknown name: one message") << "mouse" << "xyz" << "Germania" << "Z112" << 1 << 1;
    QTest::newRow("Enter in the open list") << "elenco" << "" << "Stati Uniti d'America" << "Z404" << 0 << 0;
    // The first step is a choice and takes the focus away from the list.
    QTest::newRow("arrow key in the closed list") << "frecce" << "" << "Francia" << "Z110" << 0 << 0;
}

void tst_LuogoNascita::sceltaDelloStato()
{
    QFETCH(QString, modo);
    QFETCH(QString, comune);
    QFETCH(QString, stato);
    QFETCH(QString, codice);
    QFETCH(int, messaggi);
    QFETCH(int, beep);
    entraNelComune();
    ui().cboComune->setEditText(comune);
    if (modo != QLatin1String("mouse")) {
        QTest::mouseClick(ui().CboStatoEstero->lineEdit(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), ui().CboStatoEstero);
    }
    scegli(modo, ui().CboStatoEstero, stato);
    if (modo == QLatin1String("frecce"))
        tasto(Qt::Key_Down);

    QCOMPARE(ui().cboComune->currentText(), stato);
    QCOMPARE(ui().Text2->text(), QStringLiteral("EE"));
    QCOMPARE(ui().Text3->text(), codice);
    confrontaColori(Colore::Nero, Colore::Bianco);
    QCOMPARE(QApplication::focusWidget(), ui().txtDataNascita);
    QCOMPARE(ui().CboStatoEstero->currentText(), QString());
    QCOMPARE(m_f->platform.messages.size(), messaggi);
    QCOMPARE(m_f->platform.beeps, beep);
}

void tst_LuogoNascita::entrataNelloStato()
{
    entraNelComune();
    digita(ui().cboComune, QStringLiteral("rom"));
    tasto(Qt::Key_Tab);
    QCOMPARE(ui().Text3->text(), QStringLiteral("H501"));

    QTest::mouseClick(ui().CboStatoEstero->lineEdit(), Qt::LeftButton);
    QTest::mouseClick(ui().txtCognome, Qt::LeftButton); // no choice made
    QCOMPARE(ui().cboComune->currentText(), QString());
    QCOMPARE(ui().Text2->text(), QString());
    QCOMPARE(ui().Text3->text(), QString());
    confrontaColori(Colore::Nero, Colore::Bianco);
}

// Enter typed in an edit field is one more key release, not a choice from
// the list (which would go through the date box and beep).
void tst_LuogoNascita::invioNonSceglie()
{
    QTest::mouseClick(ui().CboStatoEstero->lineEdit(), Qt::LeftButton);
    digita(ui().CboStatoEstero, QStringLiteral("Germania"));
    tasto(Qt::Key_Return);
    QCOMPARE(ui().cboComune->currentText(), QString());
    QCOMPARE(ui().Text3->text(), QString());
    QCOMPARE(QApplication::focusWidget(), ui().CboStatoEstero);

    entraNelComune();
    digita(ui().cboComune, QStringLiteral("rom"));
    tasto(Qt::Key_Return);
    QCOMPARE(ui().cboComune->currentText(), QStringLiteral("Roma"));
    QCOMPARE(ui().cboComune->lineEdit()->selectedText(), QString());
    QCOMPARE(ui().cboComune->lineEdit()->cursorPosition(), 4);
    QCOMPARE(backColor(ui().cboComune), Colore::Sistema);
    QCOMPARE(QApplication::focusWidget(), ui().cboComune);
    QCOMPARE(m_f->platform.beeps, 0);
    QCOMPARE(m_f->platform.messages.size(), 0);
}

void tst_LuogoNascita::campiNulli_data()
{
    QTest::addColumn<QString>("lettera");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("provDigitando");
    QTest::addColumn<QString>("provUscendo");
    QTest::addColumn<QString>("codiceUscendo");
    QTest::newRow("null province") << "n" << "Nullano" << "RM" << "" << "N001";
    QTest::newRow("null code") << "v" << "Vuotano" << "VV" << "VV" << "";
}

// A key release stops at the first field it cannot show and says why; the
// leave check shows a null field as an empty box, never the previous place's.
void tst_LuogoNascita::campiNulli()
{
    QFETCH(QString, lettera);
    QFETCH(QString, nome);
    QFETCH(QString, provDigitando);
    QFETCH(QString, provUscendo);
    QFETCH(QString, codiceUscendo);
    avvia(std::make_unique<FinestraDiProva>(FinestraDiProva::datiDiEsempio(
        {QStringLiteral("INSERT INTO Comuni VALUES ('Nullano', NULL, 'N001', 'N001', '')"),
         QStringLiteral("INSERT INTO Comuni VALUES ('Vuotano', 'VV', NULL, NULL, '')")})));
    RecordingPlatform &p = m_f->platform;
    entraNelComune();
    digita(ui().cboComune, QStringLiteral("rom"));
    tasto(Qt::Key_Tab);

    entraNelComune();
    ui().cboComune->lineEdit()->selectAll();
    digita(ui().cboComune, lettera);
    QCOMPARE(ui().cboComune->currentText(), nome);
    QCOMPARE(ui().Text2->text(), provDigitando);
    QCOMPARE(ui().Text3->text(), QStringLiteral("H501"));
    QCOMPARE(p.messageTexts(), QStringList{QStringLiteral("Errore n. 94 Uso non valido di Null")});
    QCOMPARE(p.messages.at(0).style, Platform::Exclamation);
    QCOMPARE(p.messages.at(0).title, QStringLiteral("Brantovel"));

    QTest::mouseClick(ui().txtCognome, Qt::LeftButton);
    QCOMPARE(ui().cboComune->currentText(), nome);
    QCOMPARE(ui().Text2->text(), provUscendo);
    QCOMPARE(ui().Text3->text(), codiceUscendo);
    confrontaColori(Colore::Nero, Colore::Bianco);
    QCOMPARE(QApplication::focusWidget(), ui().txtDataNascita);
    QCOMPARE(p.messages.size(), 1);

    // A choice from a list while the null row is current.
    scegliColMouse(ui().cboComune, QStringLiteral("Milano"));
    QCOMPARE(ui().Text2->text(), QStringLiteral("MI"));
    QCOMPARE(ui().Text3->text(), QStringLiteral("F205"));
    ui().cboComune->setEditText(lettera);
    QTest::mouseClick(ui().txtCognome, Qt::LeftButton);
    scegliColMouse(ui().CboStatoEstero, QStringLiteral("Francia"));
    QCOMPARE(ui().Text3->text(), QStringLiteral("Z110"));
    QCOMPARE(p.messages.size(), 1);
}

void tst_LuogoNascita::codiceCompleto_data()
{
    QTest::addColumn<QString>("cognome");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("femmina");
    QTest::addColumn<QString>("comune");
    QTest::addColumn<QString>("stato");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("codice");

    // Worked by hand: odd places R S R 8 A 1 5 1 weigh 61, even places S M A
    // 0 0 H 0 weigh 37; 98 mod 26 = 20, U.
    QTest::newRow("born in Roma") << "rossi" << "mario" << false << "rom" << "" << "1/1/1980" << "RSS MRA 80A01 H501U";
    // SCHMIDT: S C H; ANNA: N N A; March is C, a woman's day 15 is 55. Odd
    // places S H N 7 C 5 1 2 weigh 89, even places C N A 5 5 Z 1 weigh 51;
    // 140 mod 26 = 10, K.
    QTest::newRow("born in Germania") << "schmidt" << "anna" << true << "" << "Germania" << "15/03/1975" << "SCH NNA 75C55 Z112K";
}

// On the full reference data, typed as a user would: surname, Tab, name,
// Tab to the sex, Tab to the place of birth, the place, the date, the button.
void tst_LuogoNascita::codiceCompleto()
{
    QFETCH(QString, cognome);
    QFETCH(QString, nome);
    QFETCH(bool, femmina);
    QFETCH(QString, comune);
    QFETCH(QString, stato);
    QFETCH(QString, data);
    QFETCH(QString, codice);
    avvia(FinestraDiProva::conDatiCompleti());
    digita(ui().txtCognome, cognome);
    tasto(Qt::Key_Tab);
    digita(ui().txtNome, nome);
    tasto(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui().cboSesso);
    if (femmina)
        tasto(Qt::Key_Down);
    tasto(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui().cboComune);
    if (stato.isEmpty()) {
        digita(ui().cboComune, comune);
        tasto(Qt::Key_Tab);
    } else {
        scegliColMouse(ui().CboStatoEstero, stato);
    }
    QCOMPARE(QApplication::focusWidget(), ui().txtDataNascita);
    digita(ui().txtDataNascita, data);
    QTest::mouseClick(ui().cmdElabora, Qt::LeftButton);

    QCOMPARE(ui().txtCodiceFiscale->text(), codice);
    QCOMPARE(m_f->platform.clipboard, codice);
    QCOMPARE(m_f->platform.messageTexts(),
             QStringList{QStringLiteral("Il codice fiscale è stato memorizzato in Appunti di Windows!")});
    QCOMPARE(m_f->platform.beeps, 0);
}

QTEST_MAIN(tst_LuogoNascita)
#include "tst_luogonascita.moc"
