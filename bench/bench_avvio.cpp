// SPDX-License-Identifier: MIT
#include "misura.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTextStream>

namespace {

struct Avvio
{
    double millisecondi = 0;
    double piccoMb = 0;
    double caricamentoMs = 0; // Form_Load, for the program only
};

// Starts `programma` and times it from the start of the process until it
// reports its window painted and idle.
Avvio avvia(const QString &programma)
{
    QProcess p;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(ambiente);
    QElapsedTimer t;
    t.start();
    p.start(programma, {});
    Avvio a;
    bool pronto = false;
    while (!pronto && (p.canReadLine() || p.waitForReadyRead(60'000))) {
        if (!p.canReadLine())
            continue;
        const QList<QByteArray> campi = p.readLine().trimmed().split(' ');
        if (campi.value(0) == "Form_Load")
            a.caricamentoMs = campi.value(1).toDouble() / 1000;
        pronto = campi.value(0) == "pronto";
        if (pronto) {
            a.millisecondi = double(t.nsecsElapsed()) / 1e6;
            a.piccoMb = campi.value(1).toDouble() / 1024;
        }
    }
    p.waitForFinished(60'000);
    if (!pronto || p.exitCode() != 0)
        qFatal("%s did not start:\n%s", qPrintable(programma), p.readAllStandardError().constData());
    return a;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QDir qui(QCoreApplication::applicationDirPath());
    const QString programma = qui.filePath(QStringLiteral("finestraprogramma"));
    const QString vuota = qui.filePath(QStringLiteral("finestravuota"));
    constexpr int Volte = 15;

    // One start of each first, so that both find the libraries in the cache.
    avvia(programma);
    avvia(vuota);
    QList<double> tempiProgramma, tempiVuota, piccoProgramma, piccoVuota, caricamenti;
    for (int i = 0; i < Volte; ++i) {
        const Avvio a = avvia(programma);
        const Avvio b = avvia(vuota);
        tempiProgramma << a.millisecondi;
        piccoProgramma << a.piccoMb;
        caricamenti << a.caricamentoMs;
        tempiVuota << b.millisecondi;
        piccoVuota << b.piccoMb;
    }

    const double mProgramma = percentile(tempiProgramma, 50), mVuota = percentile(tempiVuota, 50);
    const double memProgramma = percentile(piccoProgramma, 50), memVuota = percentile(piccoVuota, 50);
    const double rapporto = mProgramma / mVuota;
    QTextStream out(stdout);
    out << "Avvio fino alla finestra disegnata e inattiva, offscreen, mediana di " << Volte << " avvii alternati"
        << Qt::endl;
    out << "  Brantovel con i dati completi: " << QString::number(mProgramma, 'f', 1) << " ms, picco memoria "
        << QString::number(memProgramma, 'f', 1) << " MB" << Qt::endl;
    out << "    di cui Form_Load (database e liste): " << QString::number(percentile(caricamenti, 50), 'f', 1)
        << " ms" << Qt::endl;
    out << "  riferimento, finestra vuota: " << QString::number(mVuota, 'f', 1) << " ms, picco memoria "
        << QString::number(memVuota, 'f', 1) << " MB" << Qt::endl;
    confronta(QStringLiteral("rapporto dei tempi"), QString::number(rapporto, 'f', 2), QStringLiteral("≤ 1.5"),
              rapporto <= 1.5);
    confronta(QStringLiteral("memoria in più"), QString::number(memProgramma - memVuota, 'f', 1) + QStringLiteral(" MB"),
              QStringLiteral("≤ 30 MB"), memProgramma - memVuota <= 30);
    return 0;
}
