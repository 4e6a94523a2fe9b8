// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "app/formevents.h"
#include "support/tabella.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

class tst_FormEvents : public QObject
{
    Q_OBJECT

private slots:
    void eventi_data();
    void eventi();
};

// A form of an editable combo box, which has the focus at first, and boxes a,
// b, c. Every control logs its entry, leave and key-up (with its text); only
// the combo box has a key-press handler (x into X, '-' discarded) and a leave
// handler that sends the focus on, to the controls in lasciando. azioni: keys
// typed where the focus is (\t: Tab); ⧉ another window in front and back; ⇡ a
// lone Return release; ✎ commits the rest up to a |, as an input method does,
// ◌ leaves it as composition. The log ends with the control that has the focus.
void tst_FormEvents::eventi_data()
{
    colonne<QString, QString, QString>("azioni", "lasciando", "log");
    riga("Tab runs leave then entry", "\t", "", "combo_LostFocus a_GotFocus @a");
    // a, where Tab was heading, gets nothing; the Tab's release runs no key-up.
    riga("leave handler's moves win", "\t", "c combo", "combo_LostFocus c_GotFocus c_LostFocus combo_GotFocus @combo");
    riga("another window in front and back again runs nothing", "⧉", "", "@combo");
    riga("keys changed or discarded, one key-up each, none for a lone release", "⇡x1-x", "", "X X1 X1 X1X @combo");
    riga("a commit goes through the key press as one key, keys after it too", "r◌`|✎ìx-|x", "", "r rìX rìXX @combo");
    // Regression: a dead key's letter never reached a key-up handler.
    riga("a commit in a box with a key-up handler only", "\t✎é", "", "combo_LostFocus a_GotFocus é @a");
}

void tst_FormEvents::eventi()
{
    QFETCH(QString, azioni);
    QFETCH(QString, lasciando);
    QStringList log; // outlives the form, whose handlers write to it
    QWidget form, altra;
    auto *combo = new QComboBox(&form);
    combo->setEditable(true);
    combo->setCompleter(nullptr);
    auto &events = *new FormEvents(&form);
    for (const QString nome : {"combo", "a", "b", "c"}) {
        QWidget *w = nome == "combo" ? static_cast<QWidget *>(combo) : new QLineEdit(&form);
        w->setObjectName(nome);
        events.onGotFocus(w, [&log, w] { log << w->objectName() + "_GotFocus"; });
        events.onKeyUp(w, [&log, w](int, int) { log << editor(w)->text(); });
        events.onLostFocus(w, [&, w] {
            log << w->objectName() + "_LostFocus";
            for (const QString &n : (w == combo ? lasciando : QString()).split(u' ', Qt::SkipEmptyParts))
                events.setFocus(form.findChild<QWidget *>(n));
        });
    }
    events.onKeyPress(combo, [](int &k) { k = k == '-' ? 0 : k == 'x' ? 'X' : k; });
    const auto attiva = [](QWidget *w) {
        w->show();
        w->activateWindow(); // no window manager under a bare X server
        return QTest::qWaitForWindowActive(w);
    };
    QVERIFY(attiva(&form));
    events.setFocus(combo);
    log.clear();
    for (int i = 0; i < azioni.size(); ++i) {
        const QChar c = azioni.at(i);
        const QString resto = azioni.mid(i + 1, azioni.indexOf(u'|', i) < 0 ? -1 : azioni.indexOf(u'|', i) - i - 1);
        if (c == u'⧉') {
            QVERIFY(attiva(&altra) && attiva(&form));
        } else if (c == u'⇡') {
            QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
        } else if (c == u'✎' || c == u'◌') {
            QInputMethodEvent ime(c == u'◌' ? resto : QString(), {});
            ime.setCommitString(c == u'✎' ? resto : QString());
            QApplication::sendEvent(QGuiApplication::focusObject(), &ime);
            i += resto.size() + 1;
        } else {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    QCOMPARE(QApplication::focusWidget(), events.activeControl());
    QTEST((log << '@' + events.activeControl()->objectName()).join(u' '), "log");
}

QTEST_MAIN(tst_FormEvents)
#include "tst_formevents.moc"
