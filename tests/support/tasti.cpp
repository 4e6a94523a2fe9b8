// SPDX-License-Identifier: MIT
#include "support/tasti.h"

#include "support/puntatore.h"
#include "support/tastiera.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

namespace {

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
            const auto ctrl = c == u'⎘' ? Qt::ControlModifier : Qt::NoModifier;
            QTest::keyPress(QApplication::focusWidget(), chiavi[k], ctrl);
            QTest::keyRelease(QApplication::focusWidget(), chiavi[k], ctrl);
        } else {
            digita(QApplication::focusWidget(), c);
        }
    }
}
