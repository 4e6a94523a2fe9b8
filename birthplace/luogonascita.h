// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <array>
#include <optional>

class QLineEdit;
class QWidget;
struct DbError;
struct FrmCodiceFiscaleUi;
class FormEvents;
class Platform;
class Recordset;

// The place of birth: the municipality box with completion against the
// reference table, and the list of foreign states.
//
// The handlers keep only the box's text as the last key release left it. The
// box remembers the trimmed text
// of the previous key release in its dynamic property "Tag", and its text
// colour decides whether a failed lookup is reported; rsComuni's current row
// is the last name looked up.
//
// A choice from either list is made in the list itself, with the mouse or the
// arrow keys, and for a foreign state also by Enter after the beginning of its
// name; leaving a box that holds an entry's exact name is no choice.
class LuogoNascita
{
public:
    LuogoNascita(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform, Recordset &rsComuni);

private:
    void cboComune_KeyUp(int keyCode, int shift);
    void cboComune_LostFocus();
    void cboComune_Click();
    void CboStatoEstero_GotFocus();
    void CboStatoEstero_KeyPress(int &keyAscii);
    void CboStatoEstero_Click();

    // The work of a key release; a failed read of the table ends it.
    DbError completaComune();
    void mostraErrore(const DbError &e);
    // After a seek for t: the stored name of the row found, when it begins
    // with t ignoring case.
    DbError nomeTrovato(const QString &t, std::optional<QString> *nome) const;
    std::optional<QString> campo(const QString &nome) const;
    // Copies a field of the current row into a box; a field that cannot be
    // read leaves the box as it was.
    void copiaCampo(const QString &nome, QLineEdit *box) const;
    // The municipality box and the province and code boxes beside it.
    std::array<QWidget *, 3> caselle() const;
    void segnaInesistente();
    void segnaConfermato();
    QString tag() const;
    void setTag(const QString &testo);

    FrmCodiceFiscaleUi &ui;
    FormEvents &m_events;
    Platform &m_platform;
    Recordset &rsComuni;
    QString m_testoVisto;
};
