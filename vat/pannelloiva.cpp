// SPDX-License-Identifier: MIT
#include "vat/pannelloiva.h"

PannelloIva::PannelloIva(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform, Database &dbDatiAtto)
    : ui(ui)
    , m_events(events)
    , m_platform(platform)
    , dbDatiAtto(dbDatiAtto)
{
}
