// SPDX-License-Identifier: MIT
#include "app/applicazione.h"
#include "app/desktopplatform.h"
#include "support/tabella.h"

#include <QtWidgets>

// Runs `guarda` on the next real dialog of type D once it is open, then closes
// it. The flag returned says whether it ran: checks that never ran prove nothing.
template <typename D, typename G> static std::shared_ptr<bool> quandoAperto(G guarda)
{
    auto visto = std::make_shared<bool>(false);
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, guarda, visto] {
        if (auto *d = qobject_cast<D *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            *visto = true;
            guarda(d);
            d->close();
        }
    });
    timer->start(0);
    return visto;
}

class tst_DesktopPlatform : public QObject
{
    Q_OBJECT

    QTemporaryDir m_impostazioni; // where the toolkit's own settings would land

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_impostazioni.path()));
        preparaApplicazione(*qApp);
    }

    // A bare carriage return breaks the line as a newline does.
    void messaggio_data()
    {
        colonne<int, QString, int, QString>("stile", "titolo", "icona", "titoloMostrato");
        riga("exclamation, default title", int(Platform::Exclamation), "", int(QMessageBox::Warning), "Brantovel");
        riga("information, own title", int(Platform::Information), "Avviso", int(QMessageBox::Information), "Avviso");
        riga("no icon", int(Platform::NoIcon), "Avviso", int(QMessageBox::NoIcon), "Avviso");
    }

    void messaggio()
    {
        QFETCH(int, stile);
        QFETCH(QString, titolo);
        const auto visto = quandoAperto<QMessageBox>([](QMessageBox *box) {
            // Shown and spoken as written, even where it looks like markup.
            auto *testo = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            QCOMPARE(QAccessible::queryAccessibleInterface(testo)->text(QAccessible::Name),
                     QStringLiteral("<b>uno</b>\ndue\ntre"));
            QTEST(box->windowTitle(), "titoloMostrato");
            QTEST(int(box->icon()), "icona");
        });
        DesktopPlatform().msgBox(nullptr, QStringLiteral("<b>uno</b>\r\ndue\rtre"), Platform::Style(stile), titolo);
        QVERIFY(*visto);
    }

    // Only Sì says yes; Return alone says No.
    void conferma()
    {
        for (const auto pulsante : {QMessageBox::No, QMessageBox::Yes}) {
            quandoAperto<QMessageBox>([pulsante](QMessageBox *box) {
                QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
                box->button(pulsante)->click();
            });
            QCOMPARE(DesktopPlatform().confirmBox(nullptr, QStringLiteral("Procedere?")), pulsante == QMessageBox::Yes);
        }
    }

    void richiestaDiTesto()
    {
        quandoAperto<QInputDialog>([](QInputDialog *d) {
            d->setTextValue(d->windowTitle() + u'|' + d->labelText()); // the answer: what the dialog shows
            d->accept();
        });
        QCOMPARE(DesktopPlatform().inputBox(nullptr, "Scrivi", "Ricerca"), QStringLiteral("Ricerca|Scrivi"));
    }

    // Saving proposes a name beside the list; opening proposes none.
    void sceltaDelFile_data()
    {
        colonne<QString>("proposto");
        riga("open", "");
        riga("save", QDir::temp().filePath("elenco-risultati.csv"));
    }

    void sceltaDelFile()
    {
        QFETCH(QString, proposto);
        const auto visto = quandoAperto<QFileDialog>([proposto](QFileDialog *d) {
            QCOMPARE(d->findChild<QComboBox *>("fileTypeCombo")->currentText(), QStringLiteral("(*.MDB)"));
            QCOMPARE(d->labelText(QFileDialog::Reject), QStringLiteral("Annulla"));
            QCOMPARE(d->acceptMode(), proposto.isEmpty() ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
            if (!proposto.isEmpty())
                QCOMPARE(d->selectedFiles(), QStringList{proposto});
        });
        DesktopPlatform p;
        QCOMPARE(proposto.isEmpty() ? p.openFileName(nullptr, "Cerca", "(*.MDB)|*.mdb")
                                    : p.saveFileName(nullptr, "Salva", "(*.MDB)|*.mdb", proposto),
                 QString());
        QVERIFY(*visto);
        QVERIFY(QDir(m_impostazioni.path()).isEmpty()); // the dialog keeps no settings of its own
    }

    void appunti()
    {
        DesktopPlatform().setClipboardText(QStringLiteral("RSS MRA 80A01 H501U"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("RSS MRA 80A01 H501U"));
        DesktopPlatform().clearClipboard();
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }
};

QTEST_MAIN(tst_DesktopPlatform)
#include "tst_desktopplatform.moc"
