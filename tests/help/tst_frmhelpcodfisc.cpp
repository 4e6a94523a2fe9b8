// SPDX-License-Identifier: MIT
#include "help/testoaiuto.h"
#include "support/finestradiprova.h"

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

class tst_FrmHelpCodFisc : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void eachOpeningStartsFromTheFixedText();
    void lastLineComesIntoSight();

private:
    // Chooses Help and runs `guarda` on the modal help window while it is
    // open; the window is then closed.
    void apriAiuto(const std::function<void(QDialog *, QPlainTextEdit *)> &guarda);

    std::unique_ptr<FinestraDiProva> f;
};

void tst_FrmHelpCodFisc::init()
{
    f = std::make_unique<FinestraDiProva>();
    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

void tst_FrmHelpCodFisc::cleanup()
{
    f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_FrmHelpCodFisc::apriAiuto(const std::function<void(QDialog *, QPlainTextEdit *)> &guarda)
{
    f->apriModale(f->ui().Aiuto, [&](QWidget *finestra) {
        QCOMPARE(finestra->objectName(), QStringLiteral("frmHelpCodFisc"));
        guarda(qobject_cast<QDialog *>(finestra), finestra->findChild<QPlainTextEdit *>(QStringLiteral("Text1")));
    });
}

// Typing into the text, or moving down it, is forgotten: the next opening
// makes a new window on the fixed text with the caret at its start.
void tst_FrmHelpCodFisc::eachOpeningStartsFromTheFixedText()
{
    for (int volta = 1; volta <= 2 && !QTest::currentTestFailed(); ++volta) {
        QPointer<QDialog> aperta;
        apriAiuto([&](QDialog *finestra, QPlainTextEdit *Text1) {
            aperta = finestra;
            QVERIFY(finestra->isModal());
            QImage nessuna(16, 16, QImage::Format_ARGB32_Premultiplied);
            nessuna.fill(Qt::transparent);
            QCOMPARE(finestra->windowIcon().pixmap(16).toImage().convertToFormat(nessuna.format()), nessuna);
            QCOMPARE(Text1->toPlainText(), testoAiuto().replace(QLatin1String("\r\n"), QLatin1String("\n")));
            QCOMPARE(Text1->textCursor().position(), 0);
            QCOMPARE(Text1->verticalScrollBar()->value(), 0);
            QCOMPARE(QApplication::focusWidget(), Text1);
            QTest::keyClicks(Text1, QStringLiteral("Appunto: "));
            QTest::keyClick(Text1, Qt::Key_End, Qt::ControlModifier);
            QVERIFY(Text1->toPlainText().startsWith(QLatin1String("Appunto: Il programma")));
        });
        QVERIFY(aperta.isNull());
    }
}

// Regression: the box reached past the window's lower edge, so that its last
// lines, and the lower end of its scroll bar, could never be seen.
void tst_FrmHelpCodFisc::lastLineComesIntoSight()
{
    apriAiuto([](QDialog *finestra, QPlainTextEdit *Text1) {
        auto inVista = [finestra](QWidget *w) {
            return finestra->rect().contains(QRect(w->mapTo(finestra, QPoint(0, 0)), w->size()));
        };
        QVERIFY(inVista(Text1->viewport()));
        QVERIFY(Text1->verticalScrollBar()->isVisible());
        QVERIFY(inVista(Text1->verticalScrollBar()));
        QTest::keyClick(Text1, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(Text1->viewport()->rect().contains(Text1->cursorRect()));
        QVERIFY(Text1->textCursor().block().previous().text().endsWith(QLatin1String("automaticamente aperto.")));
    });
}

QTEST_MAIN(tst_FrmHelpCodFisc)
#include "tst_frmhelpcodfisc.moc"
