// SPDX-License-Identifier: MIT
#pragma once

// Properties of the controls that the handlers read and write as numbers and
// positions, the way the program's rules are stated.

class QLineEdit;
class QString;
class QWidget;

// A colour as one number: red + 256 * green + 65536 * blue.
namespace Colore {
constexpr int Nero = 0;
constexpr int Bianco = 0xFFFFFF;
constexpr int Rosso = 0x0000FF;
constexpr int RossoScuro = 0x000080;  // (128, 0, 0)
constexpr int Verdeacqua = 0x808000;  // teal (0, 128, 128)
constexpr int CianoChiaro = 0xFFFF80; // (128, 255, 255)
constexpr int CianoTenue = 0xFFFFC0;  // (192, 255, 255)
constexpr int Blu = 0xFF0000;
constexpr int Giallo = 0x00FFFF;
// A control that was never given a colour shows the system's own, which is
// never equal to any of the numbers above: a test for black (0) fails on it.
constexpr int Sistema = -1;
} // namespace Colore

int foreColor(const QWidget *control);
void setForeColor(QWidget *control, int colore);
int backColor(const QWidget *control);
void setBackColor(QWidget *control, int colore);

// The text box of a control: the box itself, or the edit field of a combo box.
QLineEdit *editor(QWidget *control);

// Assigns a control's text as a handler does: the caret goes to the start, so
// a later setSelLength() selects from the first character.
void setText(QWidget *control, const QString &text);
// Selects `length` characters from the start of the current selection, or
// from the caret when nothing is selected.
void setSelLength(QWidget *control, int length);
void setSelection(QWidget *control, int start, int length);
