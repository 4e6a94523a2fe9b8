// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// The help window: a fixed explanatory text, made afresh at each opening.
class FrmHelpCodFisc
{
public:
    // Shows a new help window modally over `parent` and returns when it closes.
    static void mostra(QWidget *parent);
};
