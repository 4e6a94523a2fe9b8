// SPDX-License-Identifier: MIT
#include "misura.h"

#include <QTextStream>
#include <algorithm>
#include <cmath>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

double percentile(QList<double> valori, double p)
{
    if (valori.isEmpty())
        return 0;
    std::sort(valori.begin(), valori.end());
    const auto rango = qsizetype(std::ceil(p / 100.0 * double(valori.size())));
    return valori.at(std::clamp<qsizetype>(rango - 1, 0, valori.size() - 1));
}

qint64 piccoMemoriaKb()
{
#ifdef Q_OS_UNIX
    rusage uso{};
    if (getrusage(RUSAGE_SELF, &uso) != 0)
        return -1;
#ifdef Q_OS_MACOS
    return uso.ru_maxrss / 1024; // bytes there
#else
    return uso.ru_maxrss;
#endif
#else
    return -1;
#endif
}

void confronta(const QString &cosa, const QString &valore, const QString &obiettivo, bool raggiunto)
{
    QTextStream(stdout) << "  " << cosa << ": " << valore << " (obiettivo " << obiettivo << "): "
                        << (raggiunto ? "raggiunto" : "MANCATO") << Qt::endl;
}
