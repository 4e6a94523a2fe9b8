// SPDX-License-Identifier: MIT
#include "app/desktopplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

void DesktopPlatform::msgBox(QWidget *parent, const QString &text, Style style, const QString &title)
{
    const QMessageBox::Icon icon = style == Exclamation ? QMessageBox::Warning
                                   : style == Information ? QMessageBox::Information
                                                          : QMessageBox::NoIcon;
    QString shown = text;
    // Messages separate their lines with a bare carriage return, which a
    // message box would not break on.
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(icon, title.isEmpty() ? defaultTitle() : title, shown, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString DesktopPlatform::inputBox(QWidget *parent, const QString &prompt, const QString &title)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

QString DesktopPlatform::openFileName(QWidget *parent, const QString &title, const QString &filter)
{
    // "(*.MDB)|*.mdb" becomes "(*.MDB) (*.mdb *.MDB)": the pattern in both
    // cases, since file names are case-sensitive on some systems.
    const QString description = filter.section(QLatin1Char('|'), 0, 0);
    const QString pattern = filter.section(QLatin1Char('|'), 1, 1);
    const QString qtFilter = QStringLiteral("%1 (%2 %3)").arg(description, pattern.toLower(), pattern.toUpper());
    return QFileDialog::getOpenFileName(parent, title, QString(), qtFilter);
}

void DesktopPlatform::clearClipboard()
{
    QGuiApplication::clipboard()->clear();
}

void DesktopPlatform::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

void DesktopPlatform::beep()
{
    QApplication::beep();
}

bool DesktopPlatform::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
