// SPDX-License-Identifier: MIT
#pragma once

// The controls of the main window FrmCodiceFiscale, by their names. The window
// creates them; the handlers of each part of the window work on them.

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;

struct FrmCodiceFiscaleUi
{
    QMainWindow *form = nullptr;

    // Personal data and the fiscal code
    QLineEdit *txtCodiceFiscale = nullptr;
    QLineEdit *txtCognome = nullptr;
    QLineEdit *txtNome = nullptr;
    QComboBox *cboSesso = nullptr;
    QLineEdit *txtDataNascita = nullptr;
    QPushButton *cmdElabora = nullptr;
    QPushButton *Command1 = nullptr;

    // Place of birth
    QComboBox *cboComune = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QComboBox *CboStatoEstero = nullptr;

    // VAT number: Text4 to Text14 are its eleven digits, in order
    QFrame *Frame1 = nullptr;
    QLineEdit *cifre[11] = {};
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text15 = nullptr;
    QComboBox *CboUfficioIva = nullptr;
    QPushButton *Command2 = nullptr;

    QFrame *Line1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
           *Label11 = nullptr, *lblTitolo = nullptr;

    QAction *Aiuto = nullptr;
    QAction *CercaComuni = nullptr;
    QAction *VerificaCodice = nullptr;
    QAction *AggiornaLuoghi = nullptr;
    QAction *ControllaElenco = nullptr;

    // Text4 is digit 1, Text14 digit 11.
    QLineEdit *Text(int n) const { return cifre[n - 4]; }
};
