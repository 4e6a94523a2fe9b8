// SPDX-License-Identifier: MIT
#include "help/testoaiuto.h"
#include "support/finestradiprova.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

class tst_FrmHelpCodFisc : public QObject
{
    Q_OBJECT

private slots:
    void ogniAperturaMostraIlTestoFissoIntero();
};

// Each opening makes a new window on the fixed text with the caret at its
// start, whatever was typed into it the time before. Its last line and the
// lower end of its scroll bar come into sight (regression: the box reached
// past the window's lower edge). It has no icon, not even the main window's.
void tst_FrmHelpCodFisc::ogniAperturaMostraIlTestoFissoIntero()
{
    {
        FinestraDiProva f;
        QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
        QImage nessuna(16, 16, QImage::Format_ARGB32_Premultiplied);
        nessuna.fill(Qt::transparent);
        for (int volta = 1; volta <= 2 && !QTest::currentTestFailed(); ++volta) {
            QPointer<QWidget> aperta;
            f.apriModale(f.ui().Aiuto, [&](QWidget *finestra) {
                aperta = finestra;
                auto *Text1 = finestra->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
                QVERIFY(Text1);
                QCOMPARE(finestra->windowIcon().pixmap(16).toImage().convertToFormat(nessuna.format()), nessuna);
                QCOMPARE(Text1->toPlainText(), testoAiuto().replace(QLatin1String("\r\n"), QLatin1String("\n")));
                QCOMPARE(Text1->textCursor().position(), 0);
                QCOMPARE(QApplication::focusWidget(), Text1);
                QTest::keyClicks(Text1, QStringLiteral("Appunto: "));
                QVERIFY(Text1->toPlainText().startsWith(QLatin1String("Appunto: Il programma")));

                QTest::keyClick(Text1, Qt::Key_End, Qt::ControlModifier);
                auto inVista = [finestra](QWidget *w) {
                    return finestra->rect().contains(QRect(w->mapTo(finestra, QPoint(0, 0)), w->size()));
                };
                QVERIFY(inVista(Text1->viewport()));
                QVERIFY(Text1->verticalScrollBar()->isVisible() && inVista(Text1->verticalScrollBar()));
                QVERIFY(Text1->viewport()->rect().contains(Text1->cursorRect()));
                QVERIFY(
                    Text1->textCursor().block().previous().text().endsWith(QLatin1String("automaticamente aperto.")));
            });
            QVERIFY(aperta.isNull());
        }
    }
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(tst_FrmHelpCodFisc)
#include "tst_frmhelpcodfisc.moc"
