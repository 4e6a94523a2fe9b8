// SPDX-License-Identifier: MIT
#include "support/tastiera.h"

#include <QTest>

void digita(QWidget *widget, const QString &testo)
{
    for (QChar c : testo) {
        const Qt::Key key = c.unicode() < 0x80 && c.isLetterOrNumber() ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}
