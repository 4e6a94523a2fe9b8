// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

// Types any text, letter by letter, as key presses and releases carrying the
// character, including the accented letters and symbols that QTest::keyClicks
// refuses.
void digita(QWidget *widget, const QString &testo);

// Works `finestra` as a user does. Plain characters are typed into the focused
// control; ⌫ ⇥ ⇤ ⏎ ⇧ ↓ ⎘ are Backspace, Tab, Shift+Tab, Enter, Shift, Down and
// Ctrl+V; a character after ✎ is an input method's commit, with no key.
// [name] clicks that control, [name:entry] chooses the entry from that combo
// box's list, {name:text} drops the text at the end of that control.
void batti(QWidget *finestra, const QString &tasti);
