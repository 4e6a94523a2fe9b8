// SPDX-License-Identifier: MIT
#include "app/formevents.h"

#include "app/accessibilita.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>
#include <utility>

FormEvents::FormEvents(QWidget *form)
    : QObject(form)
    , m_form(form)
{
    connect(qApp, &QApplication::focusChanged, this, &FormEvents::applicationFocusChanged);
    annunciaSoloIlFocusVero();
}

void FormEvents::onGotFocus(QWidget *control, Handler handler)
{
    m_gotFocus.insert(control, std::move(handler));
}

void FormEvents::onLostFocus(QWidget *control, Handler handler)
{
    m_lostFocus.insert(control, std::move(handler));
}

void FormEvents::onKeyPress(QWidget *control, KeyPressHandler handler)
{
    m_keyPress.insert(control, std::move(handler));
    control->installEventFilter(this);
}

void FormEvents::onKeyUp(QWidget *control, KeyUpHandler handler)
{
    m_keyUp.insert(control, std::move(handler));
    control->installEventFilter(this);
}

void FormEvents::setFocus(QWidget *control)
{
    transfer(control);
}

bool FormEvents::moveByKey(const std::function<bool()> &move)
{
    m_movingByKey = true;
    const bool moved = move();
    m_movingByKey = false;
    return moved;
}

void FormEvents::applicationFocusChanged(QWidget *, QWidget *now)
{
    // Only the user's moves between the form's own controls count. A window
    // coming back to the front gives the focus back to m_active, which is no
    // move at all. While a leave handler runs (and perhaps shows a message),
    // the focus is its business alone. The menu bar borrows the keys with Alt
    // or F10 and gives the focus back: no control was left.
    if (m_movingQtFocus || m_leaving > 0 || !now || now->window() != m_form->window() || now == m_active
        || qobject_cast<QMenuBar *>(now))
        return;
    transfer(now);
}

void FormEvents::transfer(QWidget *target)
{
    QWidget *old = m_active;
    if (old == target || (m_leaving > 0 && m_movingByKey && target != m_left))
        return;
    m_active = nullptr;
    if (old) {
        // A key pressed before the focus left belongs to that visit: its
        // release, once the focus is back, runs no key-up handler.
        m_keysDown.remove(old);
        if (const auto h = m_lostFocus.find(old); h != m_lostFocus.end()) {
            ++m_leaving;
            QWidget *const left = std::exchange(m_left, old);
            sospendiAnnunciFocus(m_form->window());
            (*h)();
            m_left = left;
            if (--m_leaving == 0)
                sospendiAnnunciFocus(nullptr);
        }
        // The leave handler sent the focus somewhere itself: that move stands.
        if (m_active) {
            if (m_leaving == 0)
                annunciaFocus(m_form->window());
            return;
        }
    }
    m_active = target;
    m_movingQtFocus = true;
    target->setFocus(Qt::OtherFocusReason);
    m_movingQtFocus = false;
    if (const auto h = m_gotFocus.find(target); h != m_gotFocus.end())
        (*h)();
}

bool FormEvents::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress)
        return keyPress(watched, event);
    if (event->type() == QEvent::KeyRelease)
        return keyRelease(watched, event);
    if (event->type() == QEvent::InputMethod)
        return inputMethod(watched, event);
    return false;
}

bool FormEvents::keyPress(QObject *watched, QEvent *event)
{
    auto *key = static_cast<QKeyEvent *>(event);
    if (m_keyUp.contains(watched) && !key->isAutoRepeat())
        m_keysDown[watched].insert(key->key());

    const auto handler = m_keyPress.find(watched);
    if (m_resendingKey || handler == m_keyPress.end() || key->text().isEmpty()
        || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    const int typed = key->text().at(0).unicode();
    int keyAscii = typed;
    (*handler)(keyAscii);
    if (keyAscii == typed)
        return false;
    if (keyAscii != 0) {
        QKeyEvent changed(QEvent::KeyPress, key->key(), key->modifiers(), QString(QChar(keyAscii)),
                          key->isAutoRepeat(), ushort(key->count()));
        m_resendingKey = true;
        QCoreApplication::sendEvent(watched, &changed);
        m_resendingKey = false;
    }
    return true;
}

bool FormEvents::keyRelease(QObject *watched, QEvent *event)
{
    auto *key = static_cast<QKeyEvent *>(event);
    const auto handler = m_keyUp.find(watched);
    if (handler == m_keyUp.end() || key->isAutoRepeat() || !m_keysDown[watched].remove(key->key()))
        return false;
    const Qt::KeyboardModifiers m = key->modifiers();
    const int shift = (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0)
                      | (m & Qt::AltModifier ? 4 : 0);
    (*handler)(key->key(), shift);
    return false;
}

// Text committed by a dead key, a compose key or an input method comes with no
// key press of its own: each character goes through the key-press handler,
// and the whole commit counts as one key released once the text is in.
bool FormEvents::inputMethod(QObject *watched, QEvent *event)
{
    auto *im = static_cast<QInputMethodEvent *>(event);
    const auto press = m_keyPress.find(watched);
    const auto up = m_keyUp.find(watched);
    if (m_resendingKey || im->commitString().isEmpty() || (press == m_keyPress.end() && up == m_keyUp.end()))
        return false;
    QString commit;
    for (const QChar c : im->commitString()) {
        int keyAscii = c.unicode();
        if (press != m_keyPress.end())
            (*press)(keyAscii);
        if (keyAscii != 0)
            commit += QChar(keyAscii);
    }
    QInputMethodEvent changed(im->preeditString(), im->attributes());
    changed.setCommitString(commit, im->replacementStart(), im->replacementLength());
    m_resendingKey = true;
    QCoreApplication::sendEvent(watched, &changed);
    m_resendingKey = false;
    // The handler may have been removed with its control meanwhile.
    if (const auto h = m_keyUp.find(watched); h != m_keyUp.end())
        (*h)(im->commitString().back().toUpper().unicode(), 0);
    return true;
}
