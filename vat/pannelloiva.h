// SPDX-License-Identifier: MIT
#pragma once

struct FrmCodiceFiscaleUi;
class Database;
class FormEvents;
class Platform;

// The VAT panel: the eleven digit boxes, the office lookup and the check of
// the partita IVA.
class PannelloIva
{
public:
    PannelloIva(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform, Database &dbDatiAtto);

private:
    FrmCodiceFiscaleUi &ui;
    FormEvents &m_events;
    Platform &m_platform;
    Database &dbDatiAtto;
};
