// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class Platform;

// The municipality browser: one shared, non-modal window over table Comuni.
class FrmComuni
{
public:
    // Shows the browser on the database file at `percorsoDatiAtto`, creating
    // it when it is not open; an open browser keeps its filter and sort.
    static void apri(const QString &percorsoDatiAtto, Platform &platform);
};
