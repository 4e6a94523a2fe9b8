// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"

#include "support/fixture.h"

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

QStringList FinestraDiProva::datiDiEsempio(const QStringList &extra)
{
    return schemaDatiAtto() + righeDiEsempio() + extra;
}

FinestraDiProva::FinestraDiProva(const QStringList &statements)
    : form(nullptr)
{
    if (!creaDatabase(percorso(), statements))
        qFatal("cannot create the test database");
    form = std::make_unique<FrmCodiceFiscale>(platform, cartella());
}

FinestraDiProva::FinestraDiProva(Copia)
{
    if (!QFile::copy(QStringLiteral(BRANTOVEL_DATIATTO), percorso()))
        qFatal("cannot copy %s", BRANTOVEL_DATIATTO);
    form = std::make_unique<FrmCodiceFiscale>(platform, cartella());
}

std::unique_ptr<FinestraDiProva> FinestraDiProva::conDatiCompleti()
{
    return std::unique_ptr<FinestraDiProva>(new FinestraDiProva(Copia{}));
}

FrmCodiceFiscale::Avvio FinestraDiProva::avvia()
{
    const FrmCodiceFiscale::Avvio esito = form->Form_Load();
    if (esito == FrmCodiceFiscale::Avvio::Pronto) {
        form->show();
        form->activateWindow(); // no window manager under a bare X server
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("the main window did not become active");
    }
    return esito;
}

QWidget *FinestraDiProva::finestraAperta(const QString &nome)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == nome && !w->testAttribute(Qt::WA_WState_Hidden))
            return w;
    return nullptr;
}

void FinestraDiProva::scegliDalMenu(QAction *voce)
{
    QMenuBar *menu = form->menuBar();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(voce).center());
}

void FinestraDiProva::apriModale(QAction *voce, const std::function<void(QWidget *)> &guarda)
{
    bool visto = false;
    QTimer::singleShot(0, form.get(), [&] {
        if (QWidget *finestra = QApplication::activeModalWidget()) {
            finestra->activateWindow(); // no window manager under a bare X server
            visto = QTest::qWaitFor([finestra] { return finestra->isActiveWindow(); });
            guarda(finestra);
        }
        if (QApplication::activeModalWidget())
            QApplication::activeModalWidget()->close();
    });
    scegliDalMenu(voce);
    QVERIFY(visto);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}
