// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// Once `finestra` has painted and the event loop has nothing more to do,
// writes "pronto" and the process's peak memory in kilobytes on standard
// output and quits the application: the moment start-up is over as a user
// would see it.
void segnalaQuandoInattivo(QWidget *finestra);
