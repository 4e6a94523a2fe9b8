// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>

class QWidget;

// Moves the mouse pointer onto `punto` of `widget`, as a user's hand does,
// and tells whether the widget saw it arrive. On a real X server the move
// comes back from the server as an event of its own, some time later: a
// click sent before it lands where the widget still thinks the pointer is.
bool muoviPuntatore(QWidget *widget, const QPoint &punto);
