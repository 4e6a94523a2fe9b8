// SPDX-License-Identifier: MIT
#include "support/recordingplatform.h"

void RecordingPlatform::msgBox(QWidget *, const QString &text, Style style, const QString &title)
{
    messages.append({text, style, title.isEmpty() ? defaultTitle() : title});
    if (whileMessageOpen)
        whileMessageOpen(messages.constLast());
}

QString RecordingPlatform::inputBox(QWidget *, const QString &prompt, const QString &title)
{
    inputPrompts.append(title + QLatin1Char('|') + prompt);
    return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
}

bool RecordingPlatform::confirmBox(QWidget *parent, const QString &text)
{
    msgBox(parent, text, NoIcon);
    return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
}

QString RecordingPlatform::openFileName(QWidget *, const QString &, const QString &)
{
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString RecordingPlatform::saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                        const QString &proposed)
{
    proposedFiles << proposed;
    return openFileName(parent, title, filter);
}

void RecordingPlatform::clearClipboard()
{
    clipboard.clear();
    ++clipboardClears;
}

void RecordingPlatform::setClipboardText(const QString &text)
{
    clipboard = text;
}

void RecordingPlatform::beep()
{
    ++beeps;
}

bool RecordingPlatform::openUrl(const QUrl &url)
{
    openedUrls.append(url);
    return true;
}

QStringList RecordingPlatform::messageTexts() const
{
    QStringList texts;
    for (const Message &m : messages)
        texts << m.text;
    return texts;
}
