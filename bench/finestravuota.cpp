// SPDX-License-Identifier: MIT
// The baseline of the start-up benchmark: a Qt Widgets program that shows one
// empty window, the size of the program's main window.
#include "inattivo.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget finestra;
    finestra.resize(726, 448);
    segnalaQuandoInattivo(&finestra);
    finestra.show();
    return app.exec();
}
