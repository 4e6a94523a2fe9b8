// SPDX-License-Identifier: MIT
#include "vat/controllopi.h"

#include <QTest>

class tst_ControlloPI : public QObject
{
    Q_OBJECT

private slots:
    void cifraDiControllo_data();
    void cifraDiControllo();
};

void tst_ControlloPI::cifraDiControllo_data()
{
    QTest::addColumn<QString>("numero");
    QTest::addColumn<bool>("giusto");

    // 1+3+5+7+9 = 25 on the odd places, 4+8+3+7+0 = 22 on the even ones:
    // 47, so the check digit is 3.
    QTest::newRow("esempio giusto") << "12345678903" << true;
    QTest::newRow("esempio con la cifra sbagliata") << "12345678901" << false;
    QTest::newRow("dieci cifre") << "1234567890" << false;
    QTest::newRow("dodici cifre, le prime undici giuste") << "123456789030" << false;
    // Sum 50: the remainder 0 gives the check digit 0, not 10.
    QTest::newRow("somma multipla di dieci") << "42345678900" << true;
    // 5 to 9 doubled pass 9 and lose 9 each: 1+3+5+7+9 = 25 on the even
    // places. Doubles kept whole would sum to 70 and ask for a 0.
    QTest::newRow("doppi oltre nove") << "05060708095" << true;
    QTest::newRow("doppi oltre nove tenuti interi") << "05060708090" << false;
    // The spaced number shown after a failure is no number to check.
    QTest::newRow("forma spaziata") << "1  2  3  4  5  6  7  8  9  0  3" << false;
}

void tst_ControlloPI::cifraDiControllo()
{
    QFETCH(QString, numero);
    QFETCH(bool, giusto);
    QCOMPARE(ControlloPI(numero), giusto);
}

QTEST_APPLESS_MAIN(tst_ControlloPI)
#include "tst_controllopi.moc"
