// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QPlainTextEdit;

// The help window: a fixed explanatory text, made afresh at each opening, so
// that whatever the user types into it is gone the next time.
class FrmHelpCodFisc : public QDialog
{
public:
    // Shows a new help window modally over `parent` and returns when it closes.
    static void mostra(QWidget *parent);

private:
    explicit FrmHelpCodFisc(QWidget *parent);

    QPlainTextEdit *Text1;
};
