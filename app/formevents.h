// SPDX-License-Identifier: MIT
#pragma once

// How events reach a window's handlers. The handlers are written for these
// rules, which the toolkit alone does not give:
//
// - Moving the focus, by the user or by a handler through setFocus(), runs the
//   leave handler of the control that had it and then the entry handler of the
//   control that gains it, before the move returns. A leave handler may send
//   the focus elsewhere; that move wins, and the control the user was heading
//   for never gets its entry or leave handler.
// - Tab and Shift+Tab take the focus where they aim: a leave handler may keep
//   it in the control being left (a refused value), but its move to any other
//   control does not stand. The moves the handlers force are the order of
//   entry, which the window's tab order follows; backwards, they would turn
//   the keys round in a circle.
// - Focus changes of the window as a whole (another window or a message box
//   coming in front, a drop-down list opening, the menu bar taking the keys)
//   run no handler: the control keeps the focus it had within the window.
// - A key-press handler sees the typed character before the box does and may
//   change it (0 discards it).
// - A key-up handler runs once per key the control saw pressed, with the text
//   already updated. A release whose press went elsewhere (the Enter that closed
//   a message box), or came before the focus left the control and returned
//   (the Tab whose leave handler sent the focus back), runs nothing.
// - Text committed without a key press (a dead key, a compose key, an input
//   method) is typed all the same: the key-press handler sees each character
//   and the key-up handler runs once, with the text updated.
// - Text changes are the boxes' own textChanged signals, which Qt emits inside
//   the assignment, as the handlers expect.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <functional>

class QWidget;

class FormEvents : public QObject
{
public:
    using Handler = std::function<void()>;
    using KeyPressHandler = std::function<void(int &keyAscii)>;
    using KeyUpHandler = std::function<void(int keyCode, int shift)>;

    explicit FormEvents(QWidget *form);

    void onGotFocus(QWidget *control, Handler handler);
    void onLostFocus(QWidget *control, Handler handler);
    void onKeyPress(QWidget *control, KeyPressHandler handler);
    void onKeyUp(QWidget *control, KeyUpHandler handler);

    void setFocus(QWidget *control);
    // The window's focusNextPrevChild() runs its Tab and Shift+Tab moves here.
    bool moveByKey(const std::function<bool()> &move);
    // The control that holds the focus within the form, as the handlers saw
    // it move; null while a leave handler runs.
    QWidget *activeControl() const { return m_active; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applicationFocusChanged(QWidget *old, QWidget *now);
    void transfer(QWidget *target);
    bool keyPress(QObject *watched, QEvent *event);
    bool keyRelease(QObject *watched, QEvent *event);
    bool inputMethod(QObject *watched, QEvent *event);

    QWidget *m_form;
    QPointer<QWidget> m_active;
    bool m_movingQtFocus = false;
    bool m_movingByKey = false;
    int m_leaving = 0;
    QWidget *m_left = nullptr;
    bool m_resendingKey = false;
    QHash<QWidget *, Handler> m_gotFocus;
    QHash<QWidget *, Handler> m_lostFocus;
    QHash<QObject *, KeyPressHandler> m_keyPress;
    QHash<QObject *, KeyUpHandler> m_keyUp;
    QHash<QObject *, QSet<int>> m_keysDown;
};
