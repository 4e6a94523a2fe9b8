// SPDX-License-Identifier: MIT
#include "app/applicazione.h"

#include "app/immagini.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void preparaApplicazione(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Brantovel"));
    QApplication::setWindowIcon(iconaApplicazione());
    auto *qtbase = new QTranslator(&app);
    if (qtbase->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtbase);
    else
        delete qtbase;
}
