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

namespace {

QImage svgReso(int lato, const QString &cartella)
{
    const QString png = QStringLiteral("%1/icona-%2.png").arg(cartella).arg(lato);
    QProcess rsvg;
    rsvg.start(QStringLiteral(RSVG_CONVERT),
               {QStringLiteral("-w"), QString::number(lato), QStringLiteral("-h"), QString::number(lato),
                QStringLiteral("-o"), png, QStringLiteral(BRANTOVEL_ICONA_SVG)});
    if (!rsvg.waitForFinished() || rsvg.exitCode() != 0)
        return {};
    return QImage(png).convertToFormat(QImage::Format_ARGB32);
}

// The mean difference over every channel of every pixel, from 0 to 255.
double differenzaMedia(const QImage &a, const QImage &b)
{
    qint64 somma = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            somma += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q))
                     + qAbs(qAlpha(p) - qAlpha(q));
        }
    }
    return double(somma) / (4.0 * a.width() * a.height());
}

} // namespace

void TstIconaSvg::comeIlDisegno_data()
{
    QTest::addColumn<int>("lato");
    // Below these sizes the two renderers fit the letters to the pixels in
    // their own ways, and the pictures differ more than they resemble.
    for (int lato : {48, 128, 256})
        QTest::addRow("%d pixel", lato) << lato;
}

void TstIconaSvg::comeIlDisegno()
{
    QFETCH(int, lato);
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    const QImage svg = svgReso(lato, cartella.path());
    QVERIFY2(!svg.isNull(), "rsvg-convert non ha reso l'icona SVG");
    QCOMPARE(svg.size(), QSize(lato, lato));
    const QImage disegno = disegnaIcona(lato).convertToFormat(QImage::Format_ARGB32);
    // Edges are smoothed differently by the two renderers; a rule missing or
    // letters moved by a twentieth of the card make a difference of 6 or more.
    const double differenza = differenzaMedia(svg, disegno);
    QVERIFY2(differenza < 3.0, qPrintable(QStringLiteral("differenza media %1").arg(differenza)));
}

QTEST_MAIN(TstIconaSvg)
#include "tst_iconasvg.moc"
