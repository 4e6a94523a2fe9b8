// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The person as the main window's boxes hold them, handed as a value to a
// window that compares a fiscal code with them.
struct DatiAnagrafici
{
    QString cognome;
    QString nome;
    QString dataNascita; // as typed
    QString sesso;
    QString codiceLuogo; // "?" for a place not found
};
