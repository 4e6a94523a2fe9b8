// SPDX-License-Identifier: MIT
#include "app/formevents.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

// A small form with three boxes and an editable combo box; every handler
// writes its name to a log.
class Modulo : public QWidget
{
public:
    Modulo()
    {
        auto *layout = new QVBoxLayout(this);
        for (QLineEdit **box : {&a, &b, &c}) {
            *box = new QLineEdit(this);
            layout->addWidget(*box);
        }
        a->setObjectName(QStringLiteral("a"));
        b->setObjectName(QStringLiteral("b"));
        c->setObjectName(QStringLiteral("c"));
        combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("combo"));
        combo->setEditable(true);
        combo->setCompleter(nullptr);
        layout->addWidget(combo);
        events = new FormEvents(this);
        for (QWidget *w : {static_cast<QWidget *>(a), static_cast<QWidget *>(b), static_cast<QWidget *>(c),
                           static_cast<QWidget *>(combo)}) {
            events->onGotFocus(w, [this, w] { log << w->objectName() + QStringLiteral("_GotFocus"); });
            events->onLostFocus(w, [this, w] {
                log << w->objectName() + QStringLiteral("_LostFocus");
                if (onLost)
                    onLost(w);
            });
        }
    }

    QLineEdit *a, *b, *c;
    QComboBox *combo;
    FormEvents *events;
    QStringList log;
    std::function<void(QWidget *)> onLost;
};

class tst_FormEvents : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tabRunsLeaveThenEntry();
    void clickRunsLeaveThenEntry();
    void setFocusFromHandlerWins_data();
    void setFocusFromHandlerWins();
    void focusThroughAndBackFromLeaveHandler();
    void windowDeactivationRunsNothing();
    void keyPressCanChangeOrDiscardTheCharacter_data();
    void keyPressCanChangeOrDiscardTheCharacter();
    void keyUpSeesUpdatedTextOncePerPress();
    void keyUpIgnoresAReleaseWithoutItsPress();
    void committedTextIsTyped_data();
    void committedTextIsTyped();
    void assignmentRunsChangeBeforeReturning();

private:
    std::unique_ptr<Modulo> m;
};

void tst_FormEvents::init()
{
    m = std::make_unique<Modulo>();
    m->show();
    m->activateWindow(); // no window manager under a bare X server
    QVERIFY(QTest::qWaitForWindowActive(m.get()));
    m->events->setFocus(m->a);
    m->log.clear();
}

void tst_FormEvents::cleanup()
{
    m.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_FormEvents::tabRunsLeaveThenEntry()
{
    QTest::keyClick(m->a, Qt::Key_Tab);
    QCOMPARE(m->log, QStringList({"a_LostFocus", "b_GotFocus"}));
    QCOMPARE(QApplication::focusWidget(), m->b);
    QCOMPARE(m->events->activeControl(), m->b);
}

void tst_FormEvents::clickRunsLeaveThenEntry()
{
    QTest::mouseClick(m->combo, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(m->log.value(0), QStringLiteral("a_LostFocus"));
    QCOMPARE(m->log.value(1), QStringLiteral("combo_GotFocus"));
    QCOMPARE(m->events->activeControl(), m->combo);
}

void tst_FormEvents::setFocusFromHandlerWins_data()
{
    QTest::addColumn<bool>("byUser");
    QTest::newRow("user pressed Tab") << true;
    QTest::newRow("a handler moved the focus") << false;
}

// Leaving a sends the focus to c: b, where the user was heading, never gets
// an entry or a leave handler.
void tst_FormEvents::setFocusFromHandlerWins()
{
    QFETCH(bool, byUser);
    m->onLost = [this](QWidget *w) {
        if (w == m->a)
            m->events->setFocus(m->c);
    };
    if (byUser)
        QTest::keyClick(m->a, Qt::Key_Tab);
    else
        m->events->setFocus(m->b);
    QCOMPARE(m->log, QStringList({"a_LostFocus", "c_GotFocus"}));
    QCOMPARE(QApplication::focusWidget(), m->c);
    QCOMPARE(m->events->activeControl(), m->c);
}

// A leave handler that passes the focus through b and back to a: b's own
// leave handler runs on the way back.
void tst_FormEvents::focusThroughAndBackFromLeaveHandler()
{
    m->onLost = [this](QWidget *w) {
        if (w == m->a) {
            m->events->setFocus(m->b);
            m->events->setFocus(m->a);
        }
    };
    QTest::keyClick(m->a, Qt::Key_Tab);
    QCOMPARE(m->log, QStringList({"a_LostFocus", "b_GotFocus", "b_LostFocus", "a_GotFocus"}));
    QCOMPARE(QApplication::focusWidget(), m->a);
}

void tst_FormEvents::windowDeactivationRunsNothing()
{
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    m->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m.get()));
    QCOMPARE(m->log, QStringList());
    QCOMPARE(m->events->activeControl(), m->a);
}

void tst_FormEvents::keyPressCanChangeOrDiscardTheCharacter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("x becomes X, digits pass") << "x1x" << "X1X";
    QTest::newRow("discarded characters") << "a-b" << "X1X";
}

void tst_FormEvents::keyPressCanChangeOrDiscardTheCharacter()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    m->events->onKeyPress(m->a, [](int &k) {
        if (k == 'x')
            k = 'X';
        else if (k == 'a' || k == '-' || k == 'b')
            k = 0;
    });
    if (QTest::currentDataTag() == QLatin1String("discarded characters"))
        QTest::keyClicks(m->a, QStringLiteral("x1x"));
    QTest::keyClicks(m->a, typed);
    QCOMPARE(m->a->text(), shown);
}

void tst_FormEvents::keyUpSeesUpdatedTextOncePerPress()
{
    QStringList seen;
    m->events->onKeyUp(m->combo, [&](int, int) { seen << m->combo->currentText(); });
    m->events->setFocus(m->combo);
    QTest::keyClicks(m->combo, QStringLiteral("rom"));
    QCOMPARE(seen, QStringList({"r", "ro", "rom"}));
}

void tst_FormEvents::keyUpIgnoresAReleaseWithoutItsPress()
{
    int runs = 0;
    m->events->onKeyUp(m->combo, [&](int, int) { ++runs; });
    m->events->setFocus(m->combo);
    QTest::keyRelease(m->combo, Qt::Key_Return); // the press closed a message box
    QCOMPARE(runs, 0);
    QTest::keyClick(m->combo, Qt::Key_Return);
    QCOMPARE(runs, 1);
}

void tst_FormEvents::committedTextIsTyped_data()
{
    QTest::addColumn<QString>("preedit");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QStringList>("keyUps");
    QTest::newRow("dead grave then i") << "" << "ì" << QStringList{"forlì"};
    QTest::newRow("a word at once, changed and cut by the key press") << "" << "x-x" << QStringList{"forlXX"};
    QTest::newRow("composition still open: nothing typed yet") << "`" << "" << QStringList();
}

// Regression: a letter that came from an input method never reached the
// key-up handler, so the place stayed the one of the letters before it.
void tst_FormEvents::committedTextIsTyped()
{
    QFETCH(QString, preedit);
    QFETCH(QString, commit);
    QStringList keyUps;
    m->events->onKeyPress(m->combo, [](int &k) { k = k == '-' ? 0 : k == 'x' ? 'X' : k; });
    m->events->onKeyUp(m->combo, [&](int, int) { keyUps << m->combo->currentText(); });
    m->events->setFocus(m->combo);
    QTest::keyClicks(m->combo, QStringLiteral("forl"));
    keyUps.clear();
    QInputMethodEvent ime(preedit, {});
    ime.setCommitString(commit);
    QApplication::sendEvent(QGuiApplication::focusObject(), &ime);
    QTEST(keyUps, "keyUps");
}

void tst_FormEvents::assignmentRunsChangeBeforeReturning()
{
    QStringList seen;
    connect(m->b, &QLineEdit::textChanged, m->b, [&](const QString &t) { seen << t; });
    m->b->setText(QStringLiteral("0"));
    QCOMPARE(seen, QStringList({"0"}));
    m->b->setText(QStringLiteral("0")); // the same text is no change
    QCOMPARE(seen, QStringList({"0"}));
}

QTEST_MAIN(tst_FormEvents)
#include "tst_formevents.moc"
