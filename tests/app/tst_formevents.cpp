// SPDX-License-Identifier: MIT
#include "app/formevents.h"
#include "support/tabella.h"

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
        for (QLineEdit **box : {&a, &b, &c})
            layout->addWidget(*box = new QLineEdit(this));
        layout->addWidget(combo = new QComboBox(this));
        combo->setEditable(true);
        combo->setCompleter(nullptr);
        events = new FormEvents(this);
        const std::pair<QWidget *, const char *> nomi[] = {{a, "a"}, {b, "b"}, {c, "c"}, {combo, "combo"}};
        for (const auto &[w, nome] : nomi) {
            w->setObjectName(QLatin1String(nome));
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
    void fuoco_data();
    void fuoco();
    void tasti_data();
    void tasti();

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

void tst_FormEvents::fuoco_data()
{
    // come: the focus leaves a by Tab, by a click on the combo box, or the
    // whole window loses it to another and gets it back
    // lasciando: where a's leave handler sends the focus, in turn
    colonne<QString, QString, QStringList, QString>("come", "lasciando", "log", "fuoco");
    riga("Tab runs leave then entry", "Tab", "", QStringList{"a_LostFocus", "b_GotFocus"}, "b");
    riga("a click runs leave then entry", "clic", "", QStringList{"a_LostFocus", "combo_GotFocus"}, "combo");
    // b, where the focus was heading, never gets an entry or a leave handler.
    riga("the leave handler's move wins over Tab", "Tab", "c", QStringList{"a_LostFocus", "c_GotFocus"}, "c");
    riga("another window in front and back again runs nothing", "finestra", "", QStringList{}, "a");
    riga("through b and back: b's own leave runs", "Tab", "b a",
         QStringList{"a_LostFocus", "b_GotFocus", "b_LostFocus", "a_GotFocus"}, "a");
}

void tst_FormEvents::fuoco()
{
    QFETCH(QString, come);
    QFETCH(QString, lasciando);
    m->onLost = [this, lasciando](QWidget *w) {
        if (w == m->a)
            for (const QString &nome : lasciando.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                m->events->setFocus(m->findChild<QWidget *>(nome));
    };
    if (come == QLatin1String("Tab"))
        QTest::keyClick(m->a, Qt::Key_Tab);
    else if (come == QLatin1String("clic"))
        QTest::mouseClick(m->combo, Qt::LeftButton, {}, QPoint(5, 5));
    else {
        QWidget altra;
        altra.show();
        altra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&altra));
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m.get()));
    }
    QTEST(m->log, "log");
    QTEST(QApplication::focusWidget()->objectName(), "fuoco");
    QTEST(m->events->activeControl()->objectName(), "fuoco");
}

void tst_FormEvents::tasti_data()
{
    // In the combo box, whose key-press handler turns x into X and discards
    // '-'. azioni: characters typed as keys; ⇡ a Return released without
    // its press; ✎ commits the rest, up to a |, as an input method does;
    // ◌ leaves it as composition.
    colonne<QString, QString, QStringList>("azioni", "testo", "keyUps");
    riga("one key-up per key, with the text updated", "rom", "rom", QStringList{"r", "ro", "rom"});
    riga("the key press changes or discards the character", "x1-x", "X1X", QStringList{"X", "X1", "X1", "X1X"});
    riga("a release whose press went elsewhere runs nothing", "⇡", "", QStringList{});
    // Regression: such text never reached the key-up handler, so the place
    // stayed the one of the letters before it.
    riga("dead grave then i: a key like any other", "forl✎ì", "forlì", QStringList{"f", "fo", "for", "forl", "forlì"});
    riga("a word at once goes through the key press, one key-up", "✎x-x", "XX", QStringList{"XX"});
    riga("composition still open: nothing typed yet", "forl◌`", "forl", QStringList{"f", "fo", "for", "forl"});
    riga("keys after a commit still go through the key press", "✎ì|x", "ìX", QStringList{"ì", "ìX"});
}

void tst_FormEvents::tasti()
{
    QFETCH(QString, azioni);
    QStringList keyUps;
    m->events->onKeyPress(m->combo, [](int &k) { k = k == '-' ? 0 : k == 'x' ? 'X' : k; });
    m->events->onKeyUp(m->combo, [&](int, int) { keyUps << m->combo->currentText(); });
    m->events->setFocus(m->combo);
    for (int i = 0; i < azioni.size(); ++i) {
        const QChar c = azioni.at(i);
        if (c == u'⇡') {
            QTest::keyRelease(m->combo, Qt::Key_Return);
        } else if (c == u'✎' || c == u'◌') {
            const int fine = azioni.indexOf(u'|', i) < 0 ? azioni.size() : azioni.indexOf(u'|', i);
            const QString resto = azioni.mid(i + 1, fine - i - 1);
            QInputMethodEvent ime(c == u'◌' ? resto : QString(), {});
            if (c == u'✎')
                ime.setCommitString(resto);
            QApplication::sendEvent(QGuiApplication::focusObject(), &ime);
            i = fine;
        } else {
            QTest::keyClick(m->combo, c.toLatin1());
        }
    }
    QTEST(m->combo->currentText(), "testo");
    QTEST(keyUps, "keyUps");
}

QTEST_MAIN(tst_FormEvents)
#include "tst_formevents.moc"
