// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// The desktop services the windows use. The program runs on DesktopPlatform;
// tests substitute a recorder, so that no modal dialog ever blocks them.
class Platform
{
public:
    // Message-box styles: the icon shown beside the text, with one OK button.
    enum Style { NoIcon = 0, Exclamation = 48, Information = 64 };
    static QString defaultTitle() { return QStringLiteral("Brantovel"); }

    virtual ~Platform() = default;

    // Modal; returns when the user has pressed OK. An empty title shows
    // defaultTitle().
    virtual void msgBox(QWidget *parent, const QString &text, Style style, const QString &title = {}) = 0;
    // Modal, with the buttons Sì and No, No the default; true for Sì.
    virtual bool confirmBox(QWidget *parent, const QString &text) = 0;
    // Modal; the typed text, or an empty text when cancelled.
    virtual QString inputBox(QWidget *parent, const QString &prompt, const QString &title) = 0;
    // Modal file-open dialog; `filter` is "description|pattern". The chosen
    // file's full path, or an empty text when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &filter) = 0;
    // The same for the file to write, which the dialog asks to confirm
    // when it exists; it opens on `proposed`, a name in the folder to start in.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &proposed) = 0;
    virtual void clearClipboard() = 0;
    virtual void setClipboardText(const QString &text) = 0;
    virtual void beep() = 0;
    // Opens the address in the desktop's web browser; false when it could not.
    virtual bool openUrl(const QUrl &url) = 0;
};
