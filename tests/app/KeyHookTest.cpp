#include "framework/KeyHook.h"
#include "testsupport/TestMain.h"

#include <QLineEdit>
#include <QTest>

class KeyHookTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { KeyHook::remove(); }

    void filterSwallowsOnlyWhatItTakes()
    {
        QLineEdit edit;
        edit.show();
        QStringList seen;
        KeyHook::install([&](QKeyEvent *e) {
            seen << e->text();
            return e->key() == Qt::Key_X;
        });
        QTest::keyClicks(&edit, QStringLiteral("axb"));
        QCOMPARE(edit.text(), QStringLiteral("ab"));
        QVERIFY(seen.contains(QStringLiteral("x")));
    }

    void rememberAndRestore()
    {
        int a = 0, b = 0;
        const KeyHook::Filter first = [&](QKeyEvent *) { ++a; return true; };
        const KeyHook::Filter fallback = [&](QKeyEvent *) { ++b; return true; };
        QLineEdit edit;
        edit.show();

        KeyHook::install(first);
        KeyHook::remember();
        QVERIFY(!KeyHook::active());
        KeyHook::restore(fallback);
        QTest::keyClick(&edit, Qt::Key_A);
        QVERIFY(a > 0);
        QCOMPARE(b, 0);

        // Nothing in force when remembered: the fallback comes in.
        KeyHook::remove();
        KeyHook::remember();
        KeyHook::restore(fallback);
        QTest::keyClick(&edit, Qt::Key_A);
        QVERIFY(b > 0);
    }

    void holdPutsBackTheFilterItFound()
    {
        bool outerRan = false;
        KeyHook::install([&](QKeyEvent *) { outerRan = true; return true; });
        {
            KeyHookHold hold;
            hold.install([](QKeyEvent *) { return false; });
            hold.install([](QKeyEvent *) { return false; }); // an activation again
            QLineEdit edit;
            edit.show();
            QTest::keyClick(&edit, Qt::Key_A);
            QVERIFY(!outerRan);
            QCOMPARE(edit.text(), QStringLiteral("a"));
        }
        QLineEdit edit;
        edit.show();
        QTest::keyClick(&edit, Qt::Key_A);
        QVERIFY(outerRan);
        QVERIFY(edit.text().isEmpty());
    }
};

REMETIX_TEST(KeyHookTest)
#include "KeyHookTest.moc"
