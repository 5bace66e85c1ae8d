#include "storage/DisplayFormat.h"
#include "testsupport/TestMain.h"

#include <QDate>
#include <QTest>

class DisplayFormatTest : public QObject
{
    Q_OBJECT

private slots:
    void formats_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        const int currency = int(FieldKind::Currency);
        QTest::newRow("thousands and cents") << QVariant(1234.5) << currency << "#,0.00" << "1.234,50";
        QTest::newRow("millions") << QVariant(-1234567.891) << currency << "#,0.00" << "-1.234.567,89";
        QTest::newRow("below one") << QVariant(0.5) << currency << "#,0.00" << "0,50";
        QTest::newRow("rounds up") << QVariant(9.999) << currency << "#,0.00" << "10,00";
        QTest::newRow("no grouping") << QVariant(1234.5) << currency << "0.0" << "1234,5";
        QTest::newRow("code") << QVariant(qlonglong(7)) << int(FieldKind::Integer) << "000" << "007";
        QTest::newRow("wide code") << QVariant(qlonglong(1234)) << int(FieldKind::Integer) << "000" << "1234";
        QTest::newRow("date") << QVariant(QDate(2026, 3, 9)) << int(FieldKind::Date) << "dd/mm/yyyy" << "09/03/2026";
        QTest::newRow("date default") << QVariant(QDate(2026, 3, 9)) << int(FieldKind::Date) << "" << "09/03/2026";
        QTest::newRow("stamp with minutes") << QVariant(QDateTime(QDate(2026, 3, 9), QTime(8, 5, 0))) << int(FieldKind::Timestamp)
                                            << "dd/mm/yyyy hh:nn" << "09/03/2026 08:05";
        QTest::newRow("number default") << QVariant(2.25) << int(FieldKind::Number) << "" << "2,25";
        QTest::newRow("empty") << QVariant() << currency << "#,0.00" << "";
    }
    void formats()
    {
        QFETCH(QVariant, value);
        QFETCH(int, kind);
        QFETCH(QString, format);
        QFETCH(QString, text);
        QCOMPARE(DisplayFormat::text(value, FieldKind(kind), format), text);
    }
};

REMETIX_TEST(DisplayFormatTest)
#include "DisplayFormatTest.moc"
