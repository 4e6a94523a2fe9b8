// SPDX-License-Identifier: MIT
#include "app/accessibilita.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace {

// The control with the edit field that a screen reader reaches inside an
// editable combo box.
QList<QWidget *> campi(QWidget *control)
{
    QList<QWidget *> campi{control};
    if (auto *combo = qobject_cast<QComboBox *>(control); combo && combo->lineEdit())
        campi << combo->lineEdit();
    return campi;
}

} // namespace

void setNomeAccessibile(QWidget *control, const QString &nome)
{
    for (QWidget *w : campi(control))
        w->setAccessibleName(nome);
    if (auto *combo = qobject_cast<QComboBox *>(control))
        combo->view()->setAccessibleName(nome);
}

void setMotivoColore(QWidget *control, const QString &motivo)
{
    for (QWidget *w : campi(control))
        w->setAccessibleDescription(motivo);
}
