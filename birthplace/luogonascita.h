// SPDX-License-Identifier: MIT
#pragma once

struct FrmCodiceFiscaleUi;
class FormEvents;
class Platform;
class Recordset;

// The place of birth: the municipality box with completion against the
// reference table, and the list of foreign states.
class LuogoNascita
{
public:
    LuogoNascita(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform, Recordset &rsComuni);

private:
    FrmCodiceFiscaleUi &ui;
    FormEvents &m_events;
    Platform &m_platform;
    Recordset &rsComuni;
};
