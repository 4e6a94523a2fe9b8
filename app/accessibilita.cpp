// SPDX-License-Identifier: MIT
#include "app/accessibilita.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
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

QAccessible::UpdateHandler aggiornamentoPrecedente = nullptr;

bool focusSuperato(const QAccessibleEvent *event)
{
    if (event->type() != QAccessible::Focus || event->child() >= 0)
        return false;
    auto *annunciato = qobject_cast<QWidget *>(event->object());
    QWidget *focus = QApplication::focusWidget();
    return annunciato && focus && annunciato != focus && annunciato->window() == focus->window();
}

void aggiorna(QAccessibleEvent *event)
{
    if (focusSuperato(event))
        return;
    if (aggiornamentoPrecedente)
        return aggiornamentoPrecedente(event);
    // Qt's own delivery runs when no handler is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(aggiorna);
}

// A window made of a plain widget, with no class of its own that Qt knows.
QAccessibleInterface *finestra(const QString &classe, QObject *oggetto)
{
    auto *w = qobject_cast<QWidget *>(oggetto);
    if (w && w->isWindow() && classe == QLatin1String("QWidget")
        && classe == QLatin1String(w->metaObject()->className()))
        return new QAccessibleWidget(w, QAccessible::Window);
    return nullptr;
}

} // namespace

void annunciaSoloIlFocusVero()
{
    static const bool installato = [] {
        aggiornamentoPrecedente = QAccessible::installUpdateHandler(aggiorna);
        QAccessible::installFactory(finestra);
        return true;
    }();
    Q_UNUSED(installato);
}

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
