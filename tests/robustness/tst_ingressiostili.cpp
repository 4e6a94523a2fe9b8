// SPDX-License-Identifier: MIT
// Hostile text through the windows, typed or pasted as a user would: no
// crash, no hang, no message the program does not give for that input, and
// the text taken literally.
#include "app/controlprops.h"
#include "app/formevents.h"
#include "support/finestradiprova.h"
#include "support/fixture.h"
#include "support/tastiera.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

const QString Memorizzato = QStringLiteral("Il codice fiscale è stato memorizzato in Appunti di Windows!");
const QString ComuneInesistente = QStringLiteral("Comune inesistente (se all'estero scegli direttamente lo Stato)");

// Texts no office expects. The long one is cut by the box's limit of 32,767
// characters in the middle of an emoji, leaving half of it behind.
QString testoOstile(const QString &tipo)
{
    if (tipo == u"lunghissimo")
        return QStringLiteral("RO") + QString(40000 / 2, QChar(0xD83D)).replace(QChar(0xD83D), QStringLiteral("\U0001F600"));
    if (tipo == u"emoji")
        return QStringLiteral("\U0001F469\u200D\U0001F469\u200D\U0001F467 \U0001F1EE\U0001F1F9 ROSSI");
    if (tipo == u"accenti combinati")
        return QStringLiteral("Ro\u0300ssi\u0301\u0327\u0308");
    if (tipo == u"destra a sinistra")
        return QStringLiteral("\u202B\u0645\u062D\u0645\u062F \u05E9\u05DC\u05D5\u05DD\u202C");
    return QStringLiteral("\u0001\u0007\u001B[2J\u007F\u200B\u202E\uFEFF\uFFFD"); // caratteri di controllo
}

// Pastes over the whole content of `box`, the way Ctrl+A, Ctrl+V would.
void incolla(QWidget *box, const QString &testo)
{
    QApplication::clipboard()->setText(testo);
    QTest::mouseClick(editor(box), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
}

// Resident memory of this process in kilobytes, where the system tells it.
std::optional<qint64> memoriaResidenteKb()
{
#ifdef Q_OS_LINUX
    QFile stato(QStringLiteral("/proc/self/status"));
    if (!stato.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    for (const QByteArray &riga : stato.readAll().split('\n'))
        if (riga.startsWith("VmRSS:"))
            return riga.mid(6).trimmed().split(' ').value(0).toLongLong();
#endif
    return std::nullopt;
}

} // namespace

class tst_IngressiOstili : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void testoNelleCaselle_data();
    void testoNelleCaselle();
    void dataSpazzatura_data();
    void dataSpazzatura();
    void incollaNelleCifre_data();
    void incollaNelleCifre();
    void testoNelLuogo_data();
    void testoNelLuogo();
    void ricercaNeiComuni_data();
    void ricercaNeiComuni();
    void diecimilaCalcoli_data();
    void diecimilaCalcoli();

private:
    // MARIO ROSSI, born in Rome on 1 January 1980.
    void compilaMarioRossi();
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_IngressiOstili::init()
{
    m_f = std::make_unique<FinestraDiProva>();
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

void tst_IngressiOstili::cleanup()
{
    m_f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_IngressiOstili::compilaMarioRossi()
{
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    ui.txtCognome->setText(QStringLiteral("ROSSI"));
    ui.txtNome->setText(QStringLiteral("MARIO"));
    ui.txtDataNascita->setText(QStringLiteral("1/1/1980"));
    m_f->form->events().setFocus(ui.cboComune);
    digita(ui.cboComune, QStringLiteral("roma"));
    QTest::keyClick(ui.cboComune, Qt::Key_Tab);
    QCOMPARE(ui.Text3->text(), QStringLiteral("H501"));
}

void tst_IngressiOstili::testoNelleCaselle_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("codice"); // with the other data of MARIO ROSSI

    const QStringList tipi = {"lunghissimo", "emoji", "accenti combinati", "destra a sinistra", "caratteri di controllo"};
    // Only the letters A to Z count, wherever they are: "[2J" is an escape
    // sequence to a terminal, but its J is a consonant here.
    const QStringList cognomi = {"ROX MRA 80A01 H501D", "RSS MRA 80A01 H501U", "RSS MRA 80A01 H501U",
                                 "XXX MRA 80A01 H501D", "JXX MRA 80A01 H501Z"};
    const QStringList nomi = {"RSS ROX 80A01 H501Z", "RSS RSS 80A01 H501V", "RSS RSS 80A01 H501V",
                              "RSS XXX 80A01 H501T", "RSS JXX 80A01 H501F"};
    for (int i = 0; i < tipi.size(); ++i) {
        const QByteArray tipo = tipi.at(i).toUtf8();
        QTest::addRow("txtCognome, %s", tipo.constData()) << "txtCognome" << tipi.at(i) << cognomi.at(i);
        QTest::addRow("txtNome, %s", tipo.constData()) << "txtNome" << tipi.at(i) << nomi.at(i);
        // The office list takes any text and does nothing with it.
        QTest::addRow("CboUfficioIva, %s", tipo.constData()) << "CboUfficioIva" << tipi.at(i) << "RSS MRA 80A01 H501U";
    }
}

void tst_IngressiOstili::testoNelleCaselle()
{
    QFETCH(QString, box);
    QFETCH(QString, tipo);
    QFETCH(QString, codice);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    compilaMarioRossi();
    QLineEdit *e = editor(m_f->form->findChild<QWidget *>(box));
    const QString testo = testoOstile(tipo);
    incolla(e, testo);
    QCOMPARE(e->text(), testo.left(e->maxLength()));
    QTest::mouseClick(ui.cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->platform.messageTexts(), QStringList{Memorizzato});
    QCOMPARE(ui.txtCodiceFiscale->text(), codice);
}

void tst_IngressiOstili::dataSpazzatura_data()
{
    QTest::addColumn<QString>("testo");
    QTest::newRow("forty thousand digits") << QString(40000, u'1');
    QTest::newRow("a date, then SQL") << "1/1/1980'; DROP TABLE Comuni; --";
    QTest::newRow("Arabic-Indic digits") << "١/١/١٩٨٠";
    QTest::newRow("full-width digits") << "１/１/１９８０";
    QTest::newRow("a Cyrillic a in the month") << "1 genn\u0430io 1980";
    QTest::newRow("a null character inside") << QStringLiteral("1/1/19\u000080");
    QTest::newRow("a day of twenty digits") << "99999999999999999999/1/1980";
    QTest::newRow("a negative year") << "1/1/-1980";
    QTest::newRow("year 0000") << "1/1/0000";
    QTest::newRow("mixed separators") << "1/1-1980";
    QTest::newRow("emoji") << "\U0001F4C5";
}

void tst_IngressiOstili::dataSpazzatura()
{
    QFETCH(QString, testo);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    compilaMarioRossi();
    incolla(ui.txtDataNascita, testo);
    QTest::mouseClick(ui.txtCognome, Qt::LeftButton);
    QCOMPARE(ui.txtDataNascita->text(), testo.left(ui.txtDataNascita->maxLength()));
    QCOMPARE(foreColor(ui.txtDataNascita), Colore::RossoScuro);
    QCOMPARE(m_f->platform.beeps, 1);

    QTest::mouseClick(ui.cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->platform.messageTexts(), QStringList{QStringLiteral("La data di nascita non è valida!")});
    QCOMPARE(QApplication::focusWidget(), ui.txtDataNascita);
    QCOMPARE(ui.txtCodiceFiscale->text(), QString());
}

// A digit box holds one digit: anything else pasted in is refused and the
// box goes back to "0", with the message for every box but the first. The
// last box is checked only when it is left; the others at once, when the
// change moves the focus on.
void tst_IngressiOstili::incollaNelleCifre_data()
{
    QTest::addColumn<int>("casella");
    QTest::addColumn<QString>("testo");

    const QList<QPair<const char *, QString>> testi = {
        {"a whole number", QStringLiteral("12345678903")},
        {"a letter", QStringLiteral("x")},
        {"an Arabic-Indic digit", QStringLiteral("\u0663")},
        {"a superscript two", QStringLiteral("\u00B2")},
        {"a digit and a null", QStringLiteral("1\u0000")},
        {"minus one", QStringLiteral("-1")},
        {"a digit and a blank", QStringLiteral("1 ")},
        {"a percent sign", QStringLiteral("%")},
    };
    for (int n : {4, 5, 11, 14})
        for (const auto &[descrizione, testo] : testi)
            QTest::addRow("Text%d, %s", n, descrizione) << n << testo;
}

void tst_IngressiOstili::incollaNelleCifre()
{
    QFETCH(int, casella);
    QFETCH(QString, testo);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    incolla(ui.Text(casella), testo);
    QTest::mouseClick(ui.txtCognome, Qt::LeftButton);
    QCOMPARE(m_f->platform.messageTexts(),
             casella == 4 ? QStringList() : QStringList{QStringLiteral("Devi digitare un numero!")});
    QCOMPARE(QApplication::focusWidget(), casella == 14 ? ui.Text(14) : ui.txtCognome);
    for (int n = 4; n <= 14; ++n)
        QCOMPARE(ui.Text(n)->text(), QStringLiteral("0"));
    QCOMPARE(ui.Text1->text(), QString());
    QCOMPARE(ui.Text15->text(), QString());
}

// No place has such a name, and the municipality box keeps it as pasted.
// Every key release looks it up: the release of V marks it red in silence,
// as the first failure after the window opened, and the release of Ctrl
// reports it; leaving the box reports it again. The state box has nothing to
// do with typed text: it keeps it, silently.
void tst_IngressiOstili::testoNelLuogo_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QStringList>("messaggi");
    for (const char *tipo : {"lunghissimo", "emoji", "accenti combinati", "destra a sinistra", "caratteri di controllo"}) {
        QTest::addRow("cboComune, %s", tipo) << "cboComune" << tipo << QStringList(2, ComuneInesistente);
        QTest::addRow("CboStatoEstero, %s", tipo) << "CboStatoEstero" << tipo << QStringList();
    }
}

void tst_IngressiOstili::testoNelLuogo()
{
    QFETCH(QString, box);
    QFETCH(QString, tipo);
    QFETCH(QStringList, messaggi);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    QLineEdit *e = editor(m_f->form->findChild<QWidget *>(box));
    const QString testo = testoOstile(tipo).left(e->maxLength());
    incolla(e, testo);
    QTest::mouseClick(ui.txtCognome, Qt::LeftButton);
    QCOMPARE(m_f->platform.messageTexts(), messaggi);
    QCOMPARE(e->text(), testo);
    if (box == u"cboComune") {
        QCOMPARE(ui.Text3->text(), QStringLiteral("?"));
        QCOMPARE(backColor(ui.cboComune), Colore::Rosso);
        QCOMPARE(QApplication::focusWidget(), ui.cboComune);
    }
}

// On the full reference data, whatever is searched for is taken as the
// letters a name begins with; nothing in it reaches the database, which
// Reset reads again whole and unchanged.
void tst_IngressiOstili::ricercaNeiComuni_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("iniziali"); // of every row found; none when empty

    QTest::newRow("an apostrophe alone") << "'" << "";
    QTest::newRow("an apostrophe inside a real name") << "sant'" << "Sant'";
    QTest::newRow("a percent sign") << "%" << "";
    QTest::newRow("an asterisk") << "*" << "";
    QTest::newRow("an underscore") << "_" << "";
    QTest::newRow("an opening bracket") << "[" << "";
    QTest::newRow("a backslash") << "\\" << "";
    QTest::newRow("a quoted SQL condition") << "' OR '1'='1" << "";
    QTest::newRow("a quoted SQL statement") << "'; DROP TABLE Comuni; --" << "";
    QTest::newRow("forty thousand characters") << testoOstile(QStringLiteral("lunghissimo")) << "";
    QTest::newRow("right-to-left text") << testoOstile(QStringLiteral("destra a sinistra")) << "";
}

void tst_IngressiOstili::ricercaNeiComuni()
{
    QFETCH(QString, testo);
    QFETCH(QString, iniziali);
    m_f = FinestraDiProva::conDatiCompleti();
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    const QByteArray prima = impronta(m_f->percorso());
    m_f->ui().CercaComuni->trigger();
    QWidget *browser = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == u"frmcomuni")
            browser = w;
    QVERIFY(browser);
    const QAbstractItemModel *righe = browser->findChild<QTableView *>(QStringLiteral("DataGrid1"))->model();
    const int tutte = righe->rowCount();
    const auto clic = [browser](const char *opzione) {
        auto *o = browser->findChild<QRadioButton *>(QLatin1String(opzione));
        QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(30, o->height() / 2));
    };

    m_f->platform.inputAnswers << testo;
    clic("Option1");
    QCOMPARE(m_f->platform.messageTexts(),
             iniziali.isEmpty() ? QStringList{QStringLiteral("Comune inesistente")} : QStringList());
    QCOMPARE(righe->rowCount() == 0, iniziali.isEmpty());
    for (int r = 0; r < righe->rowCount(); ++r)
        QVERIFY(righe->index(r, 0).data().toString().startsWith(iniziali));

    clic("Option4");
    QCOMPARE(righe->rowCount(), tutte);
    QCOMPARE(m_f->platform.messages.size(), iniziali.isEmpty() ? 1 : 0);
    delete browser;
    QCOMPARE(impronta(m_f->percorso()), prima);
}

// Memory that grew with every computation would show as a steady climb; the
// first thousand let the allocator and Qt's caches settle. VAT numbers are
// typed digit by digit, their office looked up and the number checked: a
// right one and a wrong one take turns, every digit differing, so that every
// box changes. The wrong one resets the boxes, which also drops the undo
// history a text box keeps of what is typed into it; right numbers alone,
// typed over one another, would grow it by about a kilobyte each.
void tst_IngressiOstili::diecimilaCalcoli_data()
{
    QTest::addColumn<bool>("partitaIva");
    QTest::newRow("fiscal code: the compute button") << false;
    QTest::newRow("VAT number: typed, office looked up, checked") << true;
}

void tst_IngressiOstili::diecimilaCalcoli()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer keeps freed memory aside; LeakSanitizer checks this build for leaks instead");
#endif
    if (!memoriaResidenteKb())
        QSKIP("this system does not tell a process's resident memory");
    QFETCH(bool, partitaIva);
    m_f = FinestraDiProva::conDatiCompleti();
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    const QStringList numeri = {QStringLiteral("12345671213"), QStringLiteral("23456789992")};
    QStringList attesi = {Memorizzato, Memorizzato};
    if (partitaIva) {
        attesi = QStringList{QStringLiteral("Numero Partita IVA: OK: per accertarti dell'esistenza della Partita "
                                            "IVA, incolla il numero nel sito di controllo "),
                             QStringLiteral("Numero Partita IVA: errato")};
    } else {
        QTest::keyClicks(ui.txtCognome, QStringLiteral("ROSSI"));
        QTest::keyClicks(ui.txtNome, QStringLiteral("MARIA"));
        ui.cboSesso->setCurrentIndex(1);
        QTest::keyClicks(ui.txtDataNascita, QStringLiteral("1/1/1980"));
        m_f->form->events().setFocus(ui.cboComune);
        digita(ui.cboComune, QStringLiteral("roma"));
        QTest::keyClick(ui.cboComune, Qt::Key_Tab);
    }

    qint64 dopoMille = 0;
    for (int i = 1; i <= 10000; ++i) {
        const int turno = (i + 1) % 2;
        if (partitaIva) {
            QTest::mouseClick(ui.Text(4), Qt::LeftButton);
            for (QChar cifra : numeri.at(turno))
                QTest::keyClick(QApplication::focusWidget(), cifra.toLatin1());
            QTest::mouseClick(ui.Command2, Qt::LeftButton);
        } else {
            QTest::mouseClick(ui.cmdElabora, Qt::LeftButton);
        }
        QCOMPARE(m_f->platform.messageTexts(), QStringList{attesi.at(turno)});
        m_f->platform.messages.clear();
        m_f->platform.openedUrls.clear();
        if (i == 1000)
            dopoMille = *memoriaResidenteKb();
    }
    QCOMPARE(m_f->platform.clipboard, partitaIva ? numeri.at(0) : QStringLiteral("RSS MRA 80A41 H501Y"));
    const qint64 crescita = *memoriaResidenteKb() - dopoMille;
    QVERIFY2(crescita < 512, qPrintable(QStringLiteral("%1 KB more after 9,000 more computations").arg(crescita)));
}

QTEST_MAIN(tst_IngressiOstili)
#include "tst_ingressiostili.moc"
