// SPDX-License-Identifier: MIT
#include "support/tabella.h"
#include "vat/controllopi.h"

class tst_ControlloPI : public QObject
{
    Q_OBJECT

private slots:
    void cifraDiControllo_data();
    void cifraDiControllo();
};

void tst_ControlloPI::cifraDiControllo_data()
{
    colonne<QString, bool>("numero", "giusto");
    riga("giusto: 1+3+5+7+9 sui posti dispari, 4+8+3+7+0 sui pari, 47 chiede un 3", "12345678903", true);
    riga("cifra sbagliata", "12345678901", false);
    riga("dieci cifre", "1234567890", false);
    riga("dodici cifre, le prime undici giuste", "123456789030", false);
    riga("somma 50: cifra 0, non 10", "42345678900", true);
    riga("doppi oltre nove meno nove: 5 6 7 8 9 sui pari contano 1+3+5+7+9, 25 chiede un 5", "05060708095", true);
}

void tst_ControlloPI::cifraDiControllo()
{
    QFETCH(QString, numero);
    QTEST(ControlloPI(numero), "giusto");
}

QTEST_APPLESS_MAIN(tst_ControlloPI)
#include "tst_controllopi.moc"
