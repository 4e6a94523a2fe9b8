// SPDX-License-Identifier: MIT
#include "app/applicazione.h"
#include "app/desktopplatform.h"
#include "app/frmcodicefiscale.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    preparaApplicazione(app);

    DesktopPlatform platform;
    FrmCodiceFiscale form(platform, QCoreApplication::applicationDirPath());
    switch (form.Form_Load()) {
    case FrmCodiceFiscale::Avvio::Annullato:
        return 0;
    case FrmCodiceFiscale::Avvio::Errore:
        return 1;
    case FrmCodiceFiscale::Avvio::Pronto:
        break;
    }
    form.show();
    form.activateWindow();
    return app.exec();
}
