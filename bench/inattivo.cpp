// SPDX-License-Identifier: MIT
#include "inattivo.h"

#include "misura.h"

#include <QApplication>
#include <QEvent>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

namespace {

class AttesaDelDisegno : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // A zero timer fires when the events already queued, the rest of
            // the first paint among them, have been handled.
            QTimer::singleShot(0, qApp, [] {
                QTextStream(stdout) << "pronto " << piccoMemoriaKb() << Qt::endl;
                QApplication::quit();
            });
            deleteLater();
        }
        return false;
    }
};

} // namespace

void segnalaQuandoInattivo(QWidget *finestra)
{
    finestra->installEventFilter(new AttesaDelDisegno(qApp));
}
