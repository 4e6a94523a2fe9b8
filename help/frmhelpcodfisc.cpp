// SPDX-License-Identifier: MIT
#include "help/frmhelpcodfisc.h"

#include "app/controlprops.h"
#include "app/disposizione.h"
#include "help/testoaiuto.h"

#include <QPixmap>
#include <QPlainTextEdit>

void FrmHelpCodFisc::mostra(QWidget *parent, const QString &aggiornamento)
{
    FrmHelpCodFisc finestra(parent, aggiornamento);
    finestra.exec();
}

FrmHelpCodFisc::FrmHelpCodFisc(QWidget *parent, const QString &aggiornamento)
    : QDialog(parent)
    , Text1(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmHelpCodFisc"));
    setWindowTitle(QStringLiteral("Help of Brantovel  by Notaio Talvekko"));
    // No icon: without one of its own the window would show its parent's.
    QPixmap nessuna(16, 16);
    nessuna.fill(Qt::transparent);
    setWindowIcon(nessuna);
    const QRect client = twips(0, 0, 7665, 7455);
    resize(client.size());

    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Testo della guida"));
    // The box ends at the window's edges, so that the last lines of the text
    // and the whole scroll bar stay in sight.
    Text1->setGeometry(client.adjusted(twips(120, 0, 0, 0).left(), 0, 0, 0));
    Text1->setFont(sansSerif(9.75, false));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setBackColor(Text1, Colore::CianoTenue);
    setForeColor(Text1, Colore::Nero);
    Text1->setPlainText(testoAiuto() + aggiornamento);
    Text1->moveCursor(QTextCursor::Start);
    Text1->setFocus();
}
