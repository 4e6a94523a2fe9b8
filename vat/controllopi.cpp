// SPDX-License-Identifier: MIT
#include "vat/controllopi.h"

bool ControlloPI(const QString &numero)
{
    if (numero.size() != 11)
        return false;
    auto cifra = [&numero](int posizione) { return int(numero.at(posizione - 1).unicode()) - 48; };
    int somma = 0;
    for (int i = 1; i <= 9; i += 2)
        somma += cifra(i);
    for (int i = 2; i <= 10; i += 2) {
        int doppio = cifra(i) * 2;
        if (doppio > 9)
            doppio -= 9;
        somma += doppio;
    }
    // C++ % truncates towards zero, so the remainder takes the sign of the sum.
    const int attesa = (10 - somma % 10) % 10;
    return attesa == cifra(11);
}
