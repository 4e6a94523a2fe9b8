// SPDX-License-Identifier: MIT
#include "help/frmhelpcodfisc.h"

void FrmHelpCodFisc::mostra(QWidget *)
{
}
