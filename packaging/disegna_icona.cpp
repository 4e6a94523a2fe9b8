// SPDX-License-Identifier: MIT
// Writes the application's icon, as the running program draws it, to the PNG
// files of an icon theme: CARTELLA/NxN/apps/brantovel.png for each size N.
#include "app/immagini.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // The icon's letters need a font, but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList argomenti = app.arguments().mid(1);
    QTextStream errori(stderr);
    if (argomenti.size() < 2) {
        errori << "uso: disegna_icona CARTELLA LATO...\n";
        return 2;
    }
    const QDir cartella(argomenti.takeFirst());
    for (const QString &argomento : argomenti) {
        bool ok = false;
        const int lato = argomento.toInt(&ok);
        if (!ok || lato <= 0) {
            errori << "lato non valido: " << argomento << '\n';
            return 2;
        }
        const QString sottocartella = QStringLiteral("%1x%1/apps").arg(lato);
        const QString file = cartella.filePath(sottocartella + QStringLiteral("/brantovel.png"));
        if (!cartella.mkpath(sottocartella) || !disegnaIcona(lato).save(file, "PNG")) {
            errori << "impossibile scrivere " << file << '\n';
            return 1;
        }
    }
    return 0;
}
