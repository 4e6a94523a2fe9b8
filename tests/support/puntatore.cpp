// SPDX-License-Identifier: MIT
#include "support/puntatore.h"

#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

namespace {

class Arrivo : public QObject
{
public:
    explicit Arrivo(const QPoint &punto) : m_punto(punto) {}
    bool visto = false;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::MouseMove && static_cast<QMouseEvent *>(e)->position().toPoint() == m_punto)
            visto = true;
        return false;
    }

private:
    QPoint m_punto;
};

// Moves the pointer and waits until the widget has seen it there.
bool arriva(QWidget *widget, const QPoint &punto)
{
    Arrivo arrivo(punto);
    widget->installEventFilter(&arrivo);
    QTest::mouseMove(widget, punto);
    const bool visto = QTest::qWaitFor([&arrivo] { return arrivo.visto; });
    widget->removeEventFilter(&arrivo);
    return visto;
}

} // namespace

bool muoviPuntatore(QWidget *widget, const QPoint &punto)
{
    // A pointer already there would not move, and nothing would arrive.
    if (QCursor::pos() == widget->mapToGlobal(punto) && !arriva(widget, punto + QPoint(1, 0)))
        return false;
    return arriva(widget, punto);
}
