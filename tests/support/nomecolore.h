// SPDX-License-Identifier: MIT
#pragma once

#include "app/controlprops.h"

#include <QString>
#include <utility>

// A colour number by its name, so that a window's state reads as a sentence.
inline QString nomeColore(int colore)
{
    static const std::pair<int, const char *> nomi[] = {
        {Colore::Nero, "nero"},       {Colore::Bianco, "bianco"},         {Colore::Rosso, "rosso"},
        {Colore::Sistema, "sistema"}, {Colore::Verdeacqua, "verdeacqua"}, {Colore::CianoChiaro, "ciano"}};
    for (const auto &[numero, nome] : nomi)
        if (numero == colore)
            return QLatin1String(nome);
    return QString::number(colore);
}
