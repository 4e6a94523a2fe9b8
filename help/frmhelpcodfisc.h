// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QPlainTextEdit;

// The help window: a fixed explanatory text, made afresh at each opening, so
// that whatever the user types into it is gone the next time.
class FrmHelpCodFisc : public QDialog
{
public:
    // Shows a new help window modally over `parent` and returns when it closes;
    // `aggiornamento` (how current the place data are) ends the text.
    static void mostra(QWidget *parent, const QString &aggiornamento);

private:
    FrmHelpCodFisc(QWidget *parent, const QString &aggiornamento);

    QPlainTextEdit *Text1;
};
