#include "backup/Lzrw1kh.h"
#include "testsupport/TestMain.h"

#include <QRandomGenerator>
#include <QTest>

namespace {
QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

QByteArray roundTrip(const QByteArray &plain)
{
    QByteArray out;
    if (!Lzrw1kh::decompress(Lzrw1kh::compress(plain), out, Lzrw1kh::MaxInput))
        return QByteArray("decompress failed");
    return out;
}
} // namespace

class Lzrw1khTest : public QObject
{
    Q_OBJECT
private slots:
    void publishedVectors_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("copy then run") << (QByteArray("ABCABCABCABC") + QByteArray(20, 'z'))
                                       << hex("40180041424300360000047A");
        QByteArray alphabet("ABCDEFGHIJKLMNOP");
        QTest::newRow("second control word") << alphabet.repeated(3)
                                             << (hex("400000") + alphabet + hex("C000010F020B"));
        QTest::newRow("stored when it would grow") << QByteArray("Hello") << hex("8048656C6C6F");
        QTest::newRow("empty") << QByteArray() << hex("80");
        QTest::newRow("runs of eight") << (QByteArray(8, 'A') + QByteArray(8, 'B') + QByteArray(8, 'C'))
                                       << hex("405400410014420014430014");
        QTest::newRow("long run") << QByteArray(1024, '\x90') << hex("40800000 03F090");
    }
    void publishedVectors()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, block);
        QCOMPARE(Lzrw1kh::compress(plain).toHex(' '), block.toHex(' '));
        QByteArray out;
        QVERIFY(Lzrw1kh::decompress(block, out, Lzrw1kh::MaxInput));
        QCOMPARE(out, plain);
    }

    void roundTrips_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QRandomGenerator random(1234);
        const auto noise = [&](int n) {
            QByteArray bytes(n, '\0');
            for (char &c : bytes)
                c = char(random.bounded(256));
            return bytes;
        };
        for (int n : {1, 2, 3, 17, 4095, 4096, 4097, 32767, 32768})
            QTest::addRow("random %d", n) << noise(n);
        QTest::newRow("one byte repeated, full block") << QByteArray(32768, 'x');
        QTest::newRow("run longer than an item") << QByteArray(5000, '\0');
        QByteArray text;
        while (text.size() < 32768)
            text += "Rua das Flores, 123 - Centro - São Paulo/SP 01001-000\r\n";
        QTest::newRow("repetitive text, full block") << text.left(32768);
        QByteArray mixed;
        while (mixed.size() < 32768)
            mixed += noise(random.bounded(1, 40)) + QByteArray(random.bounded(1, 40), char(random.bounded(256)))
                + mixed.right(random.bounded(0, 30));
        QTest::newRow("mixed, full block") << mixed.left(32768);
        // Copies whose source lies just within and just beyond the 4095-byte window.
        const QByteArray far = noise(30);
        QTest::newRow("match at the window edge") << (far + noise(4095 - 30) + far + noise(10));
        QTest::newRow("match past the window edge") << (far + noise(4096 - 30) + far + noise(10));
    }
    void roundTrips()
    {
        QFETCH(QByteArray, plain);
        const QByteArray block = Lzrw1kh::compress(plain);
        QVERIFY(block.size() <= plain.size() + 1);
        QCOMPARE(roundTrip(plain), plain);
    }

    void incompressibleDataIsStored()
    {
        QRandomGenerator random(99);
        QByteArray plain(32768, '\0');
        for (char &c : plain)
            c = char(random.bounded(256));
        const QByteArray block = Lzrw1kh::compress(plain);
        QCOMPARE(block.size(), plain.size() + 1);
        QCOMPARE(quint8(block[0]), quint8(0x80));
    }

    void malformedBlocksAreRejected_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<int>("maxOutput");
        QTest::newRow("empty") << QByteArray() << 100;
        QTest::newRow("control word cut") << hex("4000") << 100;
        QTest::newRow("copy before the start") << hex("40400041 0036") << 100;
        QTest::newRow("copy item cut") << hex("4040004100") << 100;
        QTest::newRow("run item cut") << hex("4040000000 04") << 100;
        QTest::newRow("second control word cut") << (hex("400000") + QByteArray(16, 'a') + hex("80")) << 100;
        QTest::newRow("control word without an item") << (hex("400000") + QByteArray(16, 'a') + hex("8000")) << 100;
        QTest::newRow("run past the output size") << hex("40800000 03F090") << 1023;
        QTest::newRow("literals past the output size") << hex("400000 414243") << 2;
        QTest::newRow("copy past the output size") << hex("40180041424300360000047A") << 12;
        QTest::newRow("stored past the output size") << hex("8048656C6C6F") << 4;
    }
    void malformedBlocksAreRejected()
    {
        QFETCH(QByteArray, block);
        QFETCH(int, maxOutput);
        QByteArray out;
        QVERIFY(!Lzrw1kh::decompress(block, out, maxOutput));
    }

    void outputExactlyAtTheLimitIsAccepted()
    {
        QByteArray out;
        QVERIFY(Lzrw1kh::decompress(hex("40800000 03F090"), out, 1024));
        QCOMPARE(out.size(), 1024);
    }
};

REMETIX_TEST(Lzrw1khTest)
#include "Lzrw1khTest.moc"
