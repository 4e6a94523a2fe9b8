// SPDX-License-Identifier: MIT
#include "app/formevents.h"
#include "support/finestradiprova.h"
#include "support/fixture.h"
#include "support/tabella.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTest>

class tst_FrmCodiceFiscale : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_f = std::make_unique<FinestraDiProva>();
        QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    }
    void menuDaTastiera_data();
    void menuDaTastiera();
    void unaSessioneNonScriveNelFileEdEsciLoChiude_data();
    void unaSessioneNonScriveNelFileEdEsciLoChiude();

private:
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_FrmCodiceFiscale::menuDaTastiera_data()
{
    colonne<QString, QString>("tasti", "finestra");
    riga("F10 lights the first entry; Right, Return: CercaComuni", "F10 Right Return", "frmcomuni");
    riga("F10, Esc: nothing", "F10 Esc", "");
}

// The menu bar takes the keys and gives them back without leaving the given
// name, whose leave handler would send the focus to the sex list.
void tst_FrmCodiceFiscale::menuDaTastiera()
{
    QFETCH(QString, tasti);
    QLineEdit *txtNome = m_f->ui().txtNome;
    QTest::mouseClick(txtNome, Qt::LeftButton);
    for (const QString &t : tasti.split(u' '))
        QTest::keyClick(QApplication::focusWidget(), QKeySequence(t)[0].key());
    QString aperta;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != m_f->form.get() && w->close())
            aperta = w->objectName();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTEST(aperta, "finestra");
    QCOMPARE(m_f->form->focusWidget(), txtNome);
    QCOMPARE(m_f->form->events().activeControl(), txtNome);
}

void tst_FrmCodiceFiscale::unaSessioneNonScriveNelFileEdEsciLoChiude_data()
{
    colonne<QString, QString>("sesso", "codice");
    riga("the sex list left as it is: a man", "", "RSS MRA 80A01 H501U");
    riga("F typed in the sex list: a woman", "f", "RSS MRA 80A41 H501Y");
}

// A whole session writes nothing to the data file; Esci closes the window and the database.
void tst_FrmCodiceFiscale::unaSessioneNonScriveNelFileEdEsciLoChiude()
{
    QFETCH(QString, sesso);
    const QByteArray prima = impronta(m_f->percorso());
    for (const QChar c : QStringLiteral("rossi\tmario\t%1\trom\t1/1/1980\t").arg(sesso))
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QTest::mouseClick(m_f->ui().cmdElabora, Qt::LeftButton);
    QTEST(m_f->ui().txtCodiceFiscale->text(), "codice");
    // The province is shown only: a key there changes nothing.
    QTest::keyClick(m_f->ui().Text2, 'x');
    QCOMPARE(m_f->ui().Text2->text(), "RM");
    QTest::mouseClick(m_f->ui().Command1, Qt::LeftButton);
    QVERIFY(!m_f->form->isVisible());
    QCOMPARE(QSqlDatabase::connectionNames(), QStringList());
    m_f->form.reset();
    QCOMPARE(impronta(m_f->percorso()), prima);
}

QTEST_MAIN(tst_FrmCodiceFiscale)
#include "tst_frmcodicefiscale.moc"
