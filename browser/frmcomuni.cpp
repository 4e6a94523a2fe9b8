// SPDX-License-Identifier: MIT
#include "browser/frmcomuni.h"

void FrmComuni::apri(const QString &, Platform &)
{
}
