// SPDX-License-Identifier: MIT
#pragma once

class QAction;
class QString;
class QWidget;

// What a screen reader says of the controls. The windows name every control
// in words, and some of their states are shown only by a colour (a place not
// found on red, a wrong date in dark red): those are said in words too.

// Names a control. An editable combo box's edit field and its drop-down list
// are met by a screen reader on their own, so they take the same name. Some
// desktops hear a combo box's choice as its name whatever it is given: give
// the box a caption as well, a label whose buddy it is.
void setNomeAccessibile(QWidget *control, const QString &nome);

// Says why a control is marked by colour: call it wherever the colour that
// marks it is set, with the reason, and wherever the colour goes back, with
// an empty text. The reason is the control's description while it lasts, in
// place of its tooltip, which describes it again afterwards; Qt announces
// each change of description to the screen reader.
void setMotivoColore(QWidget *control, const QString &motivo);

// Installed once for the whole program: a screen reader hears of a focus move
// only while the control really holds the focus. A handler that sends the
// focus on from the control just entered makes Qt announce that control after
// the one that kept it; that late announcement is dropped, so the last one
// always names the control the keys go to. Top-level windows that are plain
// widgets are also presented as windows, and option buttons as options even
// where their window keeps them exclusive itself.
void annunciaSoloIlFocusVero();
// While a handler decides where the focus of `finestra` lands (null: no
// longer), the window's focus moves are not announced: a message closing in
// the middle gives the focus back for a moment to the control the handler
// then leaves. annunciaFocus() announces where it landed in that window.
void sospendiAnnunciFocus(QWidget *finestra);
void annunciaFocus(QWidget *finestra);

// Names a menu entry in words, where its caption runs them together.
void setNomeVoce(QAction *voce, const QString &nome);
