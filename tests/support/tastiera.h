// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

// Types any text, letter by letter, as key presses and releases carrying the
// character, including the accented letters and symbols that QTest::keyClicks
// refuses.
void digita(QWidget *widget, const QString &testo);
