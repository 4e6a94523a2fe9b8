// SPDX-License-Identifier: MIT
#include "birthplace/luogonascita.h"

LuogoNascita::LuogoNascita(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform, Recordset &rsComuni)
    : ui(ui)
    , m_events(events)
    , m_platform(platform)
    , rsComuni(rsComuni)
{
}
