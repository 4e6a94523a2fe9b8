// SPDX-License-Identifier: MIT
#pragma once

#include "app/platform.h"

#include <QList>
#include <QStringList>
#include <QUrl>
#include <functional>

// Records what the windows ask of the desktop instead of showing it. Dialog
// answers are queued by the test; an empty queue answers "cancel".
class RecordingPlatform : public Platform
{
public:
    struct Message
    {
        QString text;
        Style style;
        QString title; // as shown: the default title when none was given
    };

    void msgBox(QWidget *parent, const QString &text, Style style, const QString &title = {}) override;
    QString inputBox(QWidget *parent, const QString &prompt, const QString &title) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &filter) override;
    // Recorded among the messages, with no icon; answered from confirmAnswers.
    bool confirmBox(QWidget *parent, const QString &text) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &proposed) override;
    void clearClipboard() override;
    void setClipboardText(const QString &text) override;
    void beep() override;
    bool openUrl(const QUrl &url) override;

    QStringList messageTexts() const;

    QList<Message> messages;
    // Runs while a message is "open", as the user would look at the window
    // behind a modal box.
    std::function<void(const Message &)> whileMessageOpen;

    QStringList inputAnswers;
    QStringList inputPrompts; // "title|prompt" of every input dialog shown
    QStringList fileAnswers;
    QStringList proposedFiles; // the name each save dialog opened on
    QList<bool> confirmAnswers; // empty: No

    QString clipboard;
    int clipboardClears = 0;
    int beeps = 0;
    QList<QUrl> openedUrls;
};
