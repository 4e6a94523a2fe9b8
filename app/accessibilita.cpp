// SPDX-License-Identifier: MIT
#include "app/accessibilita.h"

#include <QAbstractItemView>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>

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
QPointer<QWidget> finestraSospesa;

bool focusSuperato(const QAccessibleEvent *event)
{
    if (event->type() != QAccessible::Focus || event->child() >= 0)
        return false;
    // The window's own focus, also while a message in front of it has the keys.
    auto *annunciato = qobject_cast<QWidget *>(event->object());
    return annunciato
           && (annunciato->window() == finestraSospesa
               || (annunciato->window()->focusWidget() && annunciato != annunciato->window()->focusWidget()));
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

const char NomeVoce[] = "nomeAccessibile";

// An option button, also where its window keeps the options exclusive by
// itself, so that the arrow keys do not choose: Qt would call that a check box.
class Opzione : public QAccessibleWidget
{
public:
    explicit Opzione(QRadioButton *b)
        : QAccessibleWidget(b, QAccessible::RadioButton)
    {
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = bottone()->isChecked();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        return widget()->accessibleName().isEmpty() ? bottone()->text() : widget()->accessibleName();
    }
    QStringList actionNames() const override { return QStringList{toggleAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString &azione) override
    {
        if (azione == toggleAction())
            bottone()->click();
        else
            QAccessibleWidget::doAction(azione);
    }

private:
    QRadioButton *bottone() const { return static_cast<QRadioButton *>(widget()); }
};

// An entry of a menu bar whose caption runs words together: it is spoken by
// the name given to it.
class VoceDiMenu : public QAccessibleObject, public QAccessibleActionInterface
{
public:
    explicit VoceDiMenu(QAction *voce)
        : QAccessibleObject(voce)
    {
    }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(barra()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? voce()->property(NomeVoce).toString() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focused = barra() && barra()->activeAction() == voce();
        s.disabled = !voce()->isEnabled();
        return s;
    }
    QRect rect() const override
    {
        return barra() ? barra()->actionGeometry(voce()).translated(barra()->mapToGlobal(QPoint(0, 0))) : QRect();
    }
    void *interface_cast(QAccessible::InterfaceType tipo) override
    {
        return tipo == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &azione) override
    {
        if (azione == pressAction())
            voce()->trigger();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QAction *voce() const { return static_cast<QAction *>(object()); }
    QMenuBar *barra() const
    {
        for (QObject *o : voce()->associatedObjects())
            if (auto *b = qobject_cast<QMenuBar *>(o))
                return b;
        return nullptr;
    }
};

// Windows made of a plain widget or of a class of ours derived from it (Qt
// asks for each class up the chain, so a dialog or main window is already
// answered by the time "QWidget" is asked for), option buttons and named
// menu entries.
QAccessibleInterface *interfaccia(const QString &classe, QObject *oggetto)
{
    auto *w = qobject_cast<QWidget *>(oggetto);
    if (w && w->isWindow() && classe == QLatin1String("QWidget"))
        return new QAccessibleWidget(w, QAccessible::Window);
    // Asked for while the button is still being made: whatever it becomes.
    if (auto *b = qobject_cast<QRadioButton *>(oggetto))
        return new Opzione(b);
    if (auto *voce = qobject_cast<QAction *>(oggetto); voce && voce->property(NomeVoce).isValid())
        return new VoceDiMenu(voce);
    return nullptr;
}

} // namespace

void annunciaSoloIlFocusVero()
{
    static const bool installato = [] {
        aggiornamentoPrecedente = QAccessible::installUpdateHandler(aggiorna);
        QAccessible::installFactory(interfaccia);
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

void sospendiAnnunciFocus(QWidget *finestra)
{
    finestraSospesa = finestra;
}

void annunciaFocus(QWidget *finestra)
{
    if (QWidget *focus = QApplication::focusWidget(); focus && focus->window() == finestra) {
        QAccessibleEvent annuncio(focus, QAccessible::Focus);
        QAccessible::updateAccessibility(&annuncio);
    }
}

void setNomeVoce(QAction *voce, const QString &nome)
{
    voce->setProperty(NomeVoce, nome);
}
