// SPDX-License-Identifier: MIT
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

// The application's icon, drawn at any size: a teal card with a red rule and
// the letters "CF".
QImage disegnaIcona(int lato);
QIcon iconaApplicazione();
// The 32 x 32 pointer shown over the command buttons: a pen.
QCursor puntatorePulsanti();
