// SPDX-License-Identifier: MIT
#pragma once

#include "app/platform.h"

class DesktopPlatform : public Platform
{
public:
    void msgBox(QWidget *parent, const QString &text, Style style, const QString &title = {}) override;
    QString inputBox(QWidget *parent, const QString &prompt, const QString &title) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &filter) override;
    bool confirmBox(QWidget *parent, const QString &text) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter, const QString &proposed) override;
    void clearClipboard() override;
    void setClipboardText(const QString &text) override;
    void beep() override;
    bool openUrl(const QUrl &url) override;
};
