#include "testsupport/TestMain.h"

#include <QApplication>
#include <QTest>

#include <memory>

namespace {
struct Registered
{
    const char *name;
    std::function<QObject *()> make;
};
QList<Registered> &registry()
{
    static QList<Registered> list;
    return list;
}
} // namespace

void TestMain::add(const char *name, std::function<QObject *()> make) { registry().append({name, std::move(make)}); }

// Runs every registered class; arguments after the program name select
// classes by name (others are passed to Qt Test), e.g. "test_x IniFileTest -v2".
int TestMain::runAll(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QStringList selected;
    QStringList qtArgs{QString::fromLocal8Bit(argv[0])};
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        bool isClass = false;
        for (const Registered &r : registry())
            isClass |= arg == QLatin1String(r.name);
        (isClass ? selected : qtArgs) << arg;
    }
    int failures = 0;
    int runs = 0;
    for (const Registered &r : registry()) {
        if (!selected.isEmpty() && !selected.contains(QLatin1String(r.name)))
            continue;
        std::unique_ptr<QObject> test(r.make());
        failures += QTest::qExec(test.get(), qtArgs);
        ++runs;
    }
    return runs == 0 ? 1 : (failures ? 1 : 0);
}

int main(int argc, char *argv[]) { return TestMain::runAll(argc, argv); }
