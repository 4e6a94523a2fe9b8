// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

// What the program sets up before its first window: its name and icon, and
// the toolkit's own words (the buttons of its dialogs, the text boxes'
// context menu) in Italian like the rest of the program, whatever the user's
// locale. Without the toolkit's translations installed those stay English.
void preparaApplicazione(QApplication &app);
