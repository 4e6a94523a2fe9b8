// SPDX-License-Identifier: MIT
// The SVG icon of the menu entry must stay the picture that the program
// draws for its windows: rendered by the desktop's SVG renderer, it is
// compared with the drawing.
#include "app/immagini.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TstIconaSvg : public QObject
{
    Q_OBJECT

private slots:
    void comeIlDisegno_data();
    void comeIlDisegno();
};

void TstIconaSvg::comeIlDisegno_data()
{
    QTest::addColumn<int>("lato");
    // Below 48 pixels the two renderers fit the letters to the pixels in
    // their own ways, and the pictures differ more than they resemble.
    for (int lato : {48, 256})
        QTest::addRow("%d pixel", lato) << lato;
}

void TstIconaSvg::comeIlDisegno()
{
    QFETCH(int, lato);
    QTemporaryDir cartella;
    const QString png = cartella.filePath(QStringLiteral("icona.png"));
    const QString n = QString::number(lato);
    QCOMPARE(QProcess::execute(RSVG_CONVERT, {"-w", n, "-h", n, "-o", png, BRANTOVEL_ICONA_SVG}), 0);
    const QImage svg = QImage(png).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(svg.size(), QSize(lato, lato));
    const QImage disegno = disegnaIcona(lato).convertToFormat(QImage::Format_ARGB32);
    // The mean difference over every channel of every pixel, from 0 to 255.
    // Edges are smoothed differently by the two renderers; a rule missing or
    // letters moved by a twentieth of the card make a difference of 6 or more.
    qint64 somma = 0;
    const auto *p = svg.constBits(), *q = disegno.constBits();
    for (qsizetype i = 0; i < svg.sizeInBytes(); ++i)
        somma += qAbs(p[i] - q[i]);
    const double differenza = double(somma) / (4.0 * lato * lato);
    QVERIFY2(differenza < 3.0, qPrintable(QStringLiteral("differenza media %1").arg(differenza)));
}

QTEST_MAIN(TstIconaSvg)
#include "tst_iconasvg.moc"
