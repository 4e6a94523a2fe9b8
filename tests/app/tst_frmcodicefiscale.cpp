// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "support/finestradiprova.h"
#include "support/fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTest>

class tst_FrmCodiceFiscale : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controlli_data();
    void controlli();
    void colori_data();
    void colori();
    void suggerimenti();
    void ordineDiTabulazione();
    void menu();
    void puntatorePulsanti();
    void esciChiudeDatabaseEFinestra();
    void ilFileNonCambiaInUnaSessione();

private:
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_FrmCodiceFiscale::init()
{
    m_f = std::make_unique<FinestraDiProva>();
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

void tst_FrmCodiceFiscale::cleanup()
{
    m_f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_FrmCodiceFiscale::controlli_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("abilitato");

    auto riga = [](const char *nome, const char *testo, int l, int t, int w, int h, bool abilitato = true) {
        QTest::newRow(nome) << QString::fromLatin1(nome) << QString::fromUtf8(testo) << QRect(l, t, w, h) << abilitato;
    };
    riga("Label5", "Codice Fiscale :", 0, 240, 1332, 252);
    riga("txtCodiceFiscale", "", 1680, 240, 3672, 420);
    riga("lblTitolo", "Cognome", 0, 720, 1092, 252);
    riga("txtCognome", "", 1680, 720, 3672, 360);
    riga("Label1", "Nome", 0, 1260, 1092, 252);
    riga("txtNome", "", 1680, 1260, 3672, 360);
    riga("Label3", "Sesso", 0, 1920, 1212, 252);
    riga("cboSesso", "M", 1680, 1920, 912, 288);
    riga("Label4", "Comune di nascita", 0, 2640, 1632, 252);
    riga("cboComune", "", 1680, 2640, 2772, 288);
    riga("Label7", "Provincia", 4560, 2280, 972, 252);
    riga("Text2", "", 4560, 2640, 555, 288, false);
    riga("Label8", "Codice", 5520, 2280, 972, 252);
    riga("Text3", "", 5400, 2640, 915, 288, false);
    riga("Label6", "Stato Estero", 0, 3120, 1632, 252);
    riga("CboStatoEstero", "", 1680, 3120, 2772, 288);
    riga("Label2", "Data di nascita ", 0, 3600, 1452, 252);
    riga("txtDataNascita", "", 1680, 3600, 2772, 288);
    riga("Label9", "Partita Iva", 5760, 240, 972, 252);
    riga("Frame1", "", 6840, 120, 3972, 492);
    riga("Text4", "0", 0, 120, 320, 370);
    riga("Text9", "0", 1800, 120, 320, 370);
    riga("Text14", "0", 3600, 120, 320, 370);
    riga("Text1", "", 6840, 600, 3970, 420);
    riga("Label10", "Codice", 6840, 1080, 732, 252);
    riga("Text15", "", 6840, 1320, 672, 288, false);
    riga("Label11", "Ufficio IVA", 8040, 1080, 2412, 252);
    riga("CboUfficioIva", "", 7920, 1320, 2772, 288);
    riga("cmdElabora", "CreaCodiceFiscale", 720, 5040, 3255, 432);
    riga("Command1", "Esci", 4800, 5040, 1215, 432);
    riga("Command2", "ControllaPartitaIva", 6840, 5040, 3255, 432);
}

void tst_FrmCodiceFiscale::controlli()
{
    QFETCH(QString, nome);
    QFETCH(QString, testo);
    QFETCH(QRect, twips);
    QFETCH(bool, abilitato);

    auto *w = m_f->form->findChild<QWidget *>(nome);
    QVERIFY2(w, qPrintable(nome));
    QString mostrato;
    if (auto *l = qobject_cast<QLabel *>(w))
        mostrato = l->text();
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        mostrato = e->text();
    else if (auto *c = qobject_cast<QComboBox *>(w))
        mostrato = c->currentText();
    else if (auto *b = qobject_cast<QPushButton *>(w))
        mostrato = b->text();
    QCOMPARE(mostrato, testo);
    const QRect px(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0), qRound(twips.width() / 15.0),
                   qRound(twips.height() / 15.0));
    QCOMPARE(w->geometry(), px);
    QCOMPARE(w->isEnabled(), abilitato);
}

void tst_FrmCodiceFiscale::colori_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("sfondo");
    QTest::addColumn<int>("testo");
    QTest::newRow("txtCodiceFiscale teal, white") << "txtCodiceFiscale" << Colore::Verdeacqua << Colore::Bianco;
    QTest::newRow("Text1 teal, white") << "Text1" << Colore::Verdeacqua << Colore::Bianco;
    QTest::newRow("Text11 light cyan") << "Text11" << Colore::CianoChiaro << Colore::Sistema;
    QTest::newRow("Text13 light cyan") << "Text13" << Colore::CianoChiaro << Colore::Sistema;
    QTest::newRow("Text15 light cyan") << "Text15" << Colore::CianoChiaro << Colore::Sistema;
    QTest::newRow("Text14 red") << "Text14" << Colore::Rosso << Colore::Sistema;
    QTest::newRow("Text10 system") << "Text10" << Colore::Sistema << Colore::Sistema;
    QTest::newRow("cboComune system, not black") << "cboComune" << Colore::Sistema << Colore::Sistema;
}

void tst_FrmCodiceFiscale::colori()
{
    QFETCH(QString, nome);
    QFETCH(int, sfondo);
    QFETCH(int, testo);
    auto *w = m_f->form->findChild<QWidget *>(nome);
    QCOMPARE(backColor(w), sfondo);
    QCOMPARE(foreColor(w), testo);
    if (sfondo != Colore::Sistema)
        QCOMPARE(editor(w)->palette().color(QPalette::Base),
                 QColor(sfondo & 0xFF, (sfondo >> 8) & 0xFF, (sfondo >> 16) & 0xFF));
}

void tst_FrmCodiceFiscale::suggerimenti()
{
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    QCOMPARE(ui.Text1->toolTip(), QStringLiteral("Digitare il numero di partita IVA di 11 cifre nelle singole caselle"));
    QCOMPARE(ui.Text(11)->toolTip(), QStringLiteral("prima cifra del codice ufficio IVA"));
    QCOMPARE(ui.Text(12)->toolTip(), QStringLiteral("seconda cifra del codice ufficio IVA"));
    QCOMPARE(ui.Text(13)->toolTip(), QStringLiteral("terza  cifra del codice ufficio IVA"));
    QCOMPARE(ui.Text(14)->toolTip(), QStringLiteral("Ultima cifra di controllo del numero di partita IVA"));
}

// The order the Tab key follows, with the digit boxes and the boxes the
// program writes left out.
void tst_FrmCodiceFiscale::ordineDiTabulazione()
{
    QStringList ordine;
    QWidget *w = m_f->ui().txtCognome;
    do {
        if (w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && m_f->form->isAncestorOf(w) && !w->focusProxy())
            ordine << w->objectName();
        w = w->nextInFocusChain();
    } while (w != m_f->ui().txtCognome);
    QCOMPARE(ordine, QStringList({"txtCognome", "txtNome", "txtDataNascita", "cboSesso", "cmdElabora", "Command1",
                                  "txtCodiceFiscale", "CboStatoEstero", "cboComune", "Text1", "Command2",
                                  "CboUfficioIva"}));
}

void tst_FrmCodiceFiscale::menu()
{
    const QList<QAction *> voci = m_f->form->menuBar()->actions();
    QCOMPARE(voci.size(), 2);
    QCOMPARE(voci.at(0)->objectName(), QStringLiteral("Aiuto"));
    QCOMPARE(voci.at(0)->text(), QStringLiteral("Help"));
    QCOMPARE(voci.at(1)->objectName(), QStringLiteral("CercaComuni"));
    QCOMPARE(voci.at(1)->text(), QStringLiteral("CercaComuni"));
    QVERIFY(!voci.at(0)->menu() && !voci.at(1)->menu());
    QCOMPARE(m_f->form->windowTitle(), QStringLiteral("Brantovel by Ozmir"));
    QVERIFY(!m_f->form->windowIcon().isNull());
}

void tst_FrmCodiceFiscale::puntatorePulsanti()
{
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    const QCursor c = ui.cmdElabora->cursor();
    QCOMPARE(c.shape(), Qt::BitmapCursor);
    QCOMPARE(c.pixmap().size(), QSize(32, 32));
    for (QPushButton *b : {ui.Command1, ui.Command2})
        QCOMPARE(b->cursor().pixmap().toImage(), c.pixmap().toImage());
}

void tst_FrmCodiceFiscale::esciChiudeDatabaseEFinestra()
{
    QTest::mouseClick(m_f->ui().Command1, Qt::LeftButton);
    QVERIFY(!m_f->form->isVisible());
    QCOMPARE(QSqlDatabase::connectionNames(), QStringList());
}

void tst_FrmCodiceFiscale::ilFileNonCambiaInUnaSessione()
{
    const QByteArray prima = impronta(m_f->percorso());
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    QTest::keyClicks(ui.txtCognome, QStringLiteral("rossi"));
    QTest::keyClick(ui.txtCognome, Qt::Key_Tab);
    QTest::keyClicks(ui.txtNome, QStringLiteral("mario"));
    QTest::keyClick(ui.txtNome, Qt::Key_Tab);
    QTest::keyClicks(ui.cboComune, QStringLiteral("rom"));
    QTest::keyClick(ui.cboComune, Qt::Key_Tab);
    QTest::keyClicks(ui.txtDataNascita, QStringLiteral("1/1/1980"));
    QTest::mouseClick(ui.cmdElabora, Qt::LeftButton);
    QTest::mouseClick(ui.Command1, Qt::LeftButton);
    m_f->form.reset();
    QCOMPARE(impronta(m_f->percorso()), prima);
}

QTEST_MAIN(tst_FrmCodiceFiscale)
#include "tst_frmcodicefiscale.moc"
