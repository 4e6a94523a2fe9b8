// SPDX-License-Identifier: MIT
#include "app/desktopplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Where the toolkit writes its settings files from now on.
void impostazioniIn(const QString &cartella)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, cartella);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, cartella);
}

} // namespace

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

bool DesktopPlatform::confirmBox(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, defaultTitle(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

QString DesktopPlatform::inputBox(QWidget *parent, const QString &prompt, const QString &title)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

namespace {

using DialogoFile = QString (*)(QWidget *, const QString &, const QString &, const QString &, QString *,
                                QFileDialog::Options);

QString chiediFile(DialogoFile dialogo, QWidget *parent, const QString &title, const QString &filter,
                   const QString &inizio = {})
{
    // "(*.MDB)|*.mdb" is shown as "(*.MDB)" and lists the files matching
    // *.mdb, which the dialog matches without regard to case.
    const QString description = filter.section(QLatin1Char('|'), 0, 0);
    const QString pattern = filter.section(QLatin1Char('|'), 1, 1);
    // The dialog keeps its history in a settings file of the toolkit's. The
    // program keeps no files: that one goes to a folder removed right after.
    QTemporaryDir senzaImpostazioni;
    impostazioniIn(senzaImpostazioni.path());
    const QString chosen = dialogo(parent, title, inizio, QStringLiteral("%1 (%2)").arg(description, pattern),
                                   nullptr, QFileDialog::HideNameFilterDetails);
    impostazioniIn(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    return chosen;
}

} // namespace

QString DesktopPlatform::openFileName(QWidget *parent, const QString &title, const QString &filter)
{
    return chiediFile(&QFileDialog::getOpenFileName, parent, title, filter);
}

QString DesktopPlatform::saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                      const QString &proposed)
{
    return chiediFile(&QFileDialog::getSaveFileName, parent, title, filter, proposed);
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
