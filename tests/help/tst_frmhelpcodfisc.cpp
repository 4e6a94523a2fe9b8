// SPDX-License-Identifier: MIT
#include "help/testoaiuto.h"
#include "support/finestradiprova.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

class tst_FrmHelpCodFisc : public QObject
{
    Q_OBJECT

private slots:
    // Each opening shows the fixed text anew, and how current the place data are, whatever was typed before, caret
    // at its start, in a box wholly inside the window (it once reached past the lower edge) that brings the last line
    // into sight. No icon, not the main's.
    void ogniAperturaMostraIlTestoFissoIntero()
    {
        auto f = FinestraDiProva::conDatiCompleti();
        QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
        for (int volta = 1; volta <= 2 && !QTest::currentTestFailed(); ++volta) {
            f->apriModale(f->ui().Aiuto, [](QWidget *finestra) {
                auto *Text1 = finestra->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
                QCOMPARE(finestra->windowIcon().pixmap(16).toImage().pixelColor(8, 8).alpha(), 0);
                QCOMPARE(Text1->toPlainText(), testoAiuto().replace(QLatin1String("\r\n"), QLatin1String("\n")) +
                                                   QStringLiteral("Dati dei luoghi aggiornati al 22/01/2024 (installati con il programma)"));
                QCOMPARE(Text1->textCursor().position(), 0);
                QCOMPARE(QApplication::focusWidget(), Text1);
                QVERIFY(finestra->rect().contains(Text1->geometry()));
                QTest::keyClicks(Text1, QStringLiteral("Appunto: "));
                QTest::keyClick(Text1, Qt::Key_End, Qt::ControlModifier);
                QVERIFY(Text1->viewport()->rect().contains(Text1->cursorRect()));
            });
        }
        f.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

QTEST_MAIN(tst_FrmHelpCodFisc)
#include "tst_frmhelpcodfisc.moc"
