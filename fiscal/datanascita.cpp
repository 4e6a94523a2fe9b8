// SPDX-License-Identifier: MIT
#include "fiscal/datanascita.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const QStringList NomiMesi = {
    QStringLiteral("gennaio"), QStringLiteral("febbraio"), QStringLiteral("marzo"),
    QStringLiteral("aprile"), QStringLiteral("maggio"), QStringLiteral("giugno"),
    QStringLiteral("luglio"), QStringLiteral("agosto"), QStringLiteral("settembre"),
    QStringLiteral("ottobre"), QStringLiteral("novembre"), QStringLiteral("dicembre"),
};

// 0 when the text names no month.
int meseDaNome(const QString &nome)
{
    for (int i = 0; i < NomiMesi.size(); ++i) {
        const QString &mese = NomiMesi.at(i);
        if (nome.compare(mese, Qt::CaseInsensitive) == 0
            || (nome.size() == 3 && mese.startsWith(nome, Qt::CaseInsensitive)))
            return i + 1;
    }
    return 0;
}

int annoCompleto(const QString &cifre)
{
    const int anno = cifre.toInt();
    if (cifre.size() == 4)
        return anno;
    return anno < 30 ? 2000 + anno : 1900 + anno;
}

} // namespace

std::optional<QDate> riconosciData(const QString &testo)
{
    // Only ASCII digits: \d would also take Arabic-Indic or full-width digits.
    static const QRegularExpression numerica(
        QStringLiteral("^([0-9]{1,2})([/.-])([0-9]{1,2})\\2([0-9]{4}|[0-9]{2})$"));
    static const QRegularExpression conNomeMese(
        QStringLiteral("^([0-9]{1,2})\\s+(\\p{L}+)\\s+([0-9]{4}|[0-9]{2})$"));

    const QString t = testo.trimmed();
    int giorno = 0;
    int mese = 0;
    QString anno;
    if (const auto m = numerica.match(t); m.hasMatch()) {
        giorno = m.captured(1).toInt();
        mese = m.captured(3).toInt();
        anno = m.captured(4);
    } else if (const auto m = conNomeMese.match(t); m.hasMatch()) {
        giorno = m.captured(1).toInt();
        mese = meseDaNome(m.captured(2));
        anno = m.captured(3);
    } else {
        return std::nullopt;
    }
    const int a = annoCompleto(anno);
    if (a < 100 || !QDate::isValid(a, mese, giorno))
        return std::nullopt;
    return QDate(a, mese, giorno);
}
