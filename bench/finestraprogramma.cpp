// SPDX-License-Identifier: MIT
// Starts the program's main window as the program does, on the full
// reference data built from data/, for the start-up benchmark.
#include "app/applicazione.h"
#include "app/desktopplatform.h"
#include "app/frmcodicefiscale.h"
#include "inattivo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    preparaApplicazione(app);

    DesktopPlatform platform;
    FrmCodiceFiscale form(platform, QStringLiteral(BRANTOVEL_CARTELLA_DATI));
    QElapsedTimer caricamento;
    caricamento.start();
    if (form.Form_Load() != FrmCodiceFiscale::Avvio::Pronto)
        return 1;
    // How much of start-up is the program's own: opening the database and
    // filling the lists.
    QTextStream(stdout) << "Form_Load " << caricamento.nsecsElapsed() / 1000 << Qt::endl;
    segnalaQuandoInattivo(&form);
    form.show();
    form.activateWindow();
    return app.exec();
}
