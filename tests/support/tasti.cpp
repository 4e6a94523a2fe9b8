// SPDX-License-Identifier: MIT
#include "support/tasti.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

namespace {

// Moves the pointer onto `punto` of `widget`, as a hand does, and waits until
// the widget has seen it there: on a real X server the move comes back from
// the server as an event of its own, and a click sent before it lands where
// the widget still thinks the pointer is.
bool arriva(QWidget *widget, const QPoint &punto)
{
    bool visto = false;
    struct Arrivo : QObject
    {
        QPoint punto;
        bool &visto;
        Arrivo(const QPoint &p, bool &v) : punto(p), visto(v) {}
        bool eventFilter(QObject *, QEvent *e) override
        {
            visto |= e->type() == QEvent::MouseMove && static_cast<QMouseEvent *>(e)->position().toPoint() == punto;
            return false;
        }
    } arrivo(punto, visto);
    widget->installEventFilter(&arrivo);
    QTest::mouseMove(widget, punto);
    const bool arrivato = QTest::qWaitFor([&visto] { return visto; });
    widget->removeEventFilter(&arrivo);
    return arrivato;
}

bool muoviPuntatore(QWidget *widget, const QPoint &punto)
{
    // A pointer already there would not move, and nothing would arrive.
    if (QCursor::pos() == widget->mapToGlobal(punto) && !arriva(widget, punto + QPoint(1, 0)))
        return false;
    return arriva(widget, punto);
}

void scegli(QComboBox *combo, const QString &voce)
{
    QAbstractItemView *elenco = combo->view();
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 4, combo->height() / 2));
    QTRY_VERIFY(elenco->isVisible());
    const QModelIndex i = combo->model()->index(combo->findText(voce), 0);
    elenco->scrollTo(i);
    const QPoint punto = elenco->visualRect(i).center();
    // The list takes a click once the pointer has moved away from the one that
    // opened it; on a real X server it closes, and the window is active, later.
    QVERIFY(muoviPuntatore(elenco->viewport(), punto));
    QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, punto);
    QTRY_VERIFY(!elenco->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), combo->window());
}

} // namespace

void digita(QWidget *widget, const QString &testo)
{
    for (QChar c : testo) {
        const Qt::Key key = c.unicode() < 0x80 && c.isLetterOrNumber() ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}

void batti(QWidget *finestra, const QString &tasti)
{
    const QString speciali = QStringLiteral("⌫⇥⇤⏎⇧↓⎘");
    const Qt::Key chiavi[] = {Qt::Key_Backspace, Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Return,
                              Qt::Key_Shift,     Qt::Key_Down, Qt::Key_V};
    for (qsizetype i = 0; i < tasti.size(); ++i) {
        const QChar c = tasti.at(i);
        if (c == u'[' || c == u'{') {
            const qsizetype fine = tasti.indexOf(c == u'[' ? u']' : u'}', i);
            const QStringList parti = tasti.mid(i + 1, fine - i - 1).split(u':');
            QWidget *w = finestra->findChild<QWidget *>(parti.first());
            if (c == u'{') {
                QMimeData dati;
                dati.setText(parti.last());
                const QPoint punto(w->width() - 2, w->height() / 2);
                QDragEnterEvent entra(punto, Qt::CopyAction, &dati, Qt::LeftButton, {});
                QDropEvent cade(punto, Qt::CopyAction, &dati, Qt::LeftButton, {});
                QApplication::sendEvent(w, &entra);
                QApplication::sendEvent(w, &cade);
            } else if (parti.size() > 1)
                scegli(qobject_cast<QComboBox *>(w), parti.last());
            else
                QTest::mouseClick(w, Qt::LeftButton);
            i = fine;
        } else if (c == u'✎') {
            QInputMethodEvent ime;
            ime.setCommitString(tasti.at(++i));
            QApplication::sendEvent(QGuiApplication::focusObject(), &ime);
        } else if (const qsizetype k = speciali.indexOf(c); k >= 0) {
            // Released in the control that has the focus once the key is in.
            // Ctrl+V carries the control character an X server gives it.
            const auto ctrl = c == u'⎘' ? Qt::ControlModifier : Qt::NoModifier;
            const char ascii = ctrl ? '\x16' : QTest::keyToAscii(chiavi[k]);
            QTest::sendKeyEvent(QTest::Press, QApplication::focusWidget(), chiavi[k], ascii, ctrl);
            QTest::sendKeyEvent(QTest::Release, QApplication::focusWidget(), chiavi[k], ascii, ctrl);
        } else {
            digita(QApplication::focusWidget(), c);
        }
    }
}
