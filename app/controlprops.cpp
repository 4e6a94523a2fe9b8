// SPDX-License-Identifier: MIT
#include "app/controlprops.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

namespace {

const char ForeColorProperty[] = "ForeColor";
const char BackColorProperty[] = "BackColor";

QColor toQColor(int colore)
{
    return QColor(colore & 0xFF, (colore >> 8) & 0xFF, (colore >> 16) & 0xFF);
}

int colorProperty(const QWidget *control, const char *name)
{
    const QVariant v = control->property(name);
    return v.isValid() ? v.toInt() : Colore::Sistema;
}

// Sets a palette role in every colour group, so that a disabled box shows its
// colours too, on the control and on the edit field inside a combo box.
void paint(QWidget *control, QPalette::ColorRole role, int colore)
{
    for (QWidget *w : {control, static_cast<QWidget *>(editor(control))}) {
        if (!w)
            continue;
        QPalette p = w->palette();
        p.setColor(role, toQColor(colore));
        if (role == QPalette::Text)
            p.setColor(QPalette::WindowText, toQColor(colore));
        w->setPalette(p);
    }
}

} // namespace

int foreColor(const QWidget *control)
{
    return colorProperty(control, ForeColorProperty);
}

// A box given only one of its two colours keeps the other that the colour
// was chosen against, black text on a white ground, also on a desktop with a
// dark theme, where the system's own would make it unreadable.
void setForeColor(QWidget *control, int colore)
{
    control->setProperty(ForeColorProperty, colore);
    paint(control, QPalette::Text, colore);
    if (editor(control) && backColor(control) == Colore::Sistema)
        paint(control, QPalette::Base, Colore::Bianco);
}

int backColor(const QWidget *control)
{
    return colorProperty(control, BackColorProperty);
}

void setBackColor(QWidget *control, int colore)
{
    control->setProperty(BackColorProperty, colore);
    paint(control, QPalette::Base, colore);
    paint(control, QPalette::Window, colore);
    if (editor(control) && foreColor(control) == Colore::Sistema)
        paint(control, QPalette::Text, Colore::Nero);
}

QLineEdit *editor(QWidget *control)
{
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return box;
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->lineEdit();
    return nullptr;
}

void setText(QWidget *control, const QString &text)
{
    QLineEdit *box = editor(control);
    box->setText(text);
    box->setCursorPosition(0);
}

void setSelLength(QWidget *control, int length)
{
    QLineEdit *box = editor(control);
    const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    box->setSelection(start, length);
}

void setSelection(QWidget *control, int start, int length)
{
    editor(control)->setSelection(start, length);
}
