#include "printing/ControlCodes.h"
#include "printing/PrinterModels.h"
#include "testsupport/TestMain.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// Sequences in the notation printers' manuals use: byte names, 0xNN and
// quoted text, "-" for the empty sequence.
QByteArray seq(const char *notation)
{
    static const QRegularExpression token(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
    QByteArray bytes;
    auto it = token.globalMatch(QString::fromLatin1(notation));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedStart(1) >= 0) {
            bytes += m.captured(1).toLatin1();
            continue;
        }
        const QString name = m.captured(2);
        if (name == QLatin1String("-")) continue;
        else if (name == QLatin1String("ESC")) bytes += '\x1b';
        else if (name == QLatin1String("SI")) bytes += '\x0f';
        else if (name == QLatin1String("DC2")) bytes += '\x12';
        else if (name == QLatin1String("RS")) bytes += '\x1e';
        else if (name == QLatin1String("FF")) bytes += '\x0c';
        else if (name == QLatin1String("NUL")) bytes += '\0';
        else if (name.startsWith(QLatin1String("0x"))) bytes += char(name.mid(2).toInt(nullptr, 16));
        else qFatal("bad token %s", qPrintable(name));
    }
    return bytes;
}

struct Row
{
    TPrinterName model;
    const char *seqs[12]; // 175 on/off, 20 on/off, 12 on/off, bold on/off, expand on/off, lpi8 on/off
};

#define EF "ESC \"E\"", "ESC \"F\""
#define W01 "ESC \"W\" 0x01", "ESC \"W\" NUL"
#define L02 "ESC \"0\"", "ESC \"2\""
#define PCLB "ESC \"(s3B\"", "ESC \"(s-3B\""
#define PCLL "ESC \"(s1P\"", "ESC \"(s0P\""

const Row rows[] = {
    {pfPadraoIBM, {"SI", "DC2", "RS \"5\"", "RS \"0\"", "RS \"2\"", "RS \"0\"", EF, W01, L02}},
    {pfDeskjet500, {"ESC \"(s16.67H\"", "ESC \"(s10H\"", "ESC \"(s16.67H\"", "ESC \"(s10H\"", "ESC \"(s12H\"", "ESC \"(s10H\"", PCLB, PCLB, PCLL}},
    {pfDeskjet600, {"ESC \"(s16.67H\"", "ESC \"(s10H\"", "ESC \"(s20H\"", "ESC \"(s10H\"", "ESC \"(s12H\"", "ESC \"(s10H\"", PCLB, PCLB, PCLL}},
    {pfRima, {"SI", "DC2", "RS \"5\"", "RS \"0\"", "RS \"2\"", "RS \"0\"", "ESC \"g\"", "ESC \"h\"", W01, L02}},
    {pfEpson9pinos, {"SI", "DC2", "ESC \"M\" SI", "ESC \"P\" DC2", "ESC \"M\" DC2", "ESC \"P\" DC2", EF, W01, L02}},
    {pfEmiliaPS, {"SI", "DC2", "RS \"5\"", "RS \"0\"", "RS \"2\"", "RS \"0\"", "ESC \"g\"", "ESC \"h\"", W01, L02}},
    {pfEpsonStylusC2, {"SI", "DC2", "ESC \"M\" SI", "ESC \"P\"", "ESC \"M\"", "ESC \"P\"", EF, W01, L02}},
    {pfCanonBJC4000, {"SI", "DC2", "ESC \"M\" SI", "ESC \"P\"", "ESC \"M\"", "ESC \"P\"", EF, W01, L02}},
    {pfEpson24pinos, {"SI", "DC2", "ESC \"M\" SI", "ESC \"P\" DC2", "ESC \"M\" DC2", "ESC \"P\" DC2", EF, W01, L02}},
    {pfXerox3006, {"-", "ESC \"(s10H\"", "ESC \"(s20H\"", "ESC \"(s10H\"", "ESC \"(s10H\"", "ESC \"(s10H\"", EF, W01, L02}},
    {pfXeroxDC220230, {"ESC \"&k2S\"", "ESC \"&k0S\"", "ESC \"&k2S\"", "ESC \"&k0S\"", "ESC \"&k4S\"", "ESC \"&k0S\"", EF, W01, L02}},
    {pfOlivia, {"RS \"5\" ESC \"M\"", "ESC \"@\"", "RS \"5\"", "ESC \"@\"", "RS \"5\" ESC \"M\"", "ESC \"@\"", EF, W01, L02}},
    {pfOlivetti, {"ESC \"P\" SI", "ESC \"P\" DC2", "ESC \"M\" SI", "ESC \"P\" DC2", "ESC \"M\" DC2", "ESC \"P\" DC2", EF, W01, L02}},
    {pfLadyII, {"ESC \"[6w\"", "ESC \"[4w\"", "ESC \"[7w\"", "ESC \"[4w\"", "ESC \"[6w\"", "ESC \"[4w\"", EF, W01, L02}},
    {pfLaserJet5L, {"ESC \"&k2S\"", "NUL", "ESC \"&k2S\"", "NUL", "ESC \"&k2S\"", "NUL", EF, W01, L02}},
    {pfDeskJet692C, {"ESC \"(s17H\"", "ESC \"(s10H\"", "ESC \"(s17H\"", "ESC \"(s10H\"", "ESC \"(s17H\"", "ESC \"(s10H\"", EF, W01, L02}},
    {pfDeskJet680C, {"ESC \"(s20H\"", "ESC \"(s10H\"", "ESC \"(s20H\"", "ESC \"(s10H\"", "ESC \"(s20H\"", "ESC \"(s10H\"", EF, W01, L02}},
    {pfDeskJet560C, {"ESC \"(s10H\"", "ESC \"(s10H\"", "ESC \"(s10H\"", "ESC \"(s10H\"", "ESC \"(s10H\"", "ESC \"(s10H\"", EF, W01, L02}},
    {pfDeskJet590, {"ESC \"(s\" 0x14 \"H\"", "ESC \"(s\" 0x0A \"H\"", "ESC \"(s\" 0x14 \"H\"", "ESC \"(s\" 0x0A \"H\"", "ESC \"(s\" 0x14 \"H\"", "ESC \"(s\" 0x0A \"H\"", EF, W01, L02}},
    {pfDeskJet500C, {"ESC \"(s\" 0x11 \"H\"", "ESC \"(s\" 0x0A \"H\"", "ESC \"(s\" 0x11 \"H\"", "ESC \"(s\" 0x0A \"H\"", "ESC \"(s\" 0x11 \"H\"", "ESC \"(s\" 0x0A \"H\"", EF, W01, L02}},
    {pfFujtsu, {"ESC SI", "DC2", "ESC SI", "DC2", "ESC SI", "DC2", EF, W01, L02}},
    {pfEmiliaPC, {"RS \"4\"", "RS \"0\"", "RS \"5\"", "RS \"0\"", "RS \".\"", "RS \"0\"", "ESC \"g\"", "ESC \"h\"", W01, L02}},
    {pfAmelia250, {"ESC \"[\" 0x05 0x14 \"w\"", "ESC \"[\" 0x01 0x0A \"w\"", "ESC \"[\" 0x05 0x14 \"w\"", "ESC \"[\" 0x01 0x0A \"w\"", "ESC \"[\" 0x05 0x14 \"w\"", "ESC \"[\" 0x01 0x0A \"w\"", EF, W01, L02}},
    {pfAmeliaPC, {"ESC \"[7w\"", "ESC \"[4w\"", "ESC \"[7w\"", "ESC \"[4w\"", "ESC \"[7w\"", "ESC \"[4w\"", EF, W01, L02}},
    {pfLazerJet1200, {"ESC \"(s17H\"", "ESC \"(s10H\"", "ESC \"(s20H\"", "ESC \"(s10H\"", "ESC \"(s12H\"", "ESC \"(s10H\"", "ESC \"(s3B\"", "ESC \"(s0B\"", "-", "-", L02}},
    {pfLexmark1106, {"ESC \"(s17H\"", "ESC \"(s10H\"", "ESC \"(s20H\"", "ESC \"(s10H\"", "ESC \"(s12H\"", "ESC \"(s10H\"", EF, "-", "-", L02}},
    {pfLexmarkZ11, {"ESC \"(s16.67H\"", "ESC \"(s10H\"", "ESC \"(s20H\"", "ESC \"(s10H\"", "ESC \"(s12H\"", "ESC \"(s10H\"", PCLB, PCLB, PCLL}},
    {pfLaserJet1100, {"ESC \"(s16.67H\"", "ESC \"(s10H\"", "ESC \"(s20H\"", "ESC \"(s10H\"", "ESC \"(s12H\"", "ESC \"(s10H\"", PCLB, PCLB, PCLL}},
    {pfNenhuma, {"-", "-", "-", "-", "-", "-", "-", "-", "-", "-", L02}},
};

} // namespace

class ControlCodesTest : public QObject
{
    Q_OBJECT
private slots:
    void everyModelHasItsFourteenSlots_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("row");
        QCOMPARE(int(std::size(rows)), 29);
        for (int i = 0; i < int(std::size(rows)); ++i) {
            QCOMPARE(int(rows[i].model), i); // the enumeration's order is part of the contract
            QTest::newRow(qPrintable(QString::number(i))) << int(rows[i].model) << i;
        }
    }
    void everyModelHasItsFourteenSlots()
    {
        QFETCH(int, model);
        QFETCH(int, row);
        const ControlCodes c = ControlCodes::forModel(TPrinterName(model), QStringLiteral("1/6"));
        const QByteArray actual[12] = {c.Compr175On, c.Compr175Off, c.Compr20On, c.Compr20Off, c.Elite12On,
                                       c.Elite12Off, c.BoldOn, c.BoldOff, c.ExpandOn, c.ExpandOff, c.Lpi8On, c.Lpi8Off};
        for (int s = 0; s < 12; ++s)
            QVERIFY2(actual[s] == seq(rows[row].seqs[s]),
                     qPrintable(QStringLiteral("slot %1: %2").arg(s).arg(QString::fromLatin1(actual[s].toHex(' ')))));
        QCOMPARE(c.FormFeed, seq("FF"));
        QCOMPARE(c.PageLength, seq("ESC \"C\""));
    }

    void otherLineSpacingSwapsOnlyTheEscZeroModels()
    {
        const ControlCodes epson = ControlCodes::forModel(pfEpson9pinos, QStringLiteral("1/8"));
        QCOMPARE(epson.Lpi8On, seq("ESC \"2\""));
        QCOMPARE(epson.Lpi8Off, seq("ESC \"0\""));
        const ControlCodes pcl = ControlCodes::forModel(pfDeskjet600, QStringLiteral("1/8"));
        QCOMPARE(pcl.Lpi8On, seq("ESC \"(s1P\""));
    }

    void firstEqualSlotNamesTheMarker()
    {
        const ControlCodes generic = ControlCodes::forModel(pfNenhuma, QStringLiteral("1/6"));
        QCOMPARE(generic.markerFor(QByteArray()), QStringLiteral("@pcompr175"));
        const ControlCodes dj = ControlCodes::forModel(pfDeskjet500, QStringLiteral("1/6"));
        QCOMPARE(dj.markerFor(dj.Compr20On), QStringLiteral("@pcompr175"));
        QCOMPARE(dj.markerFor(dj.ExpandOn), QStringLiteral("@pnegrito"));
        QCOMPARE(dj.markerFor(dj.PageLength), QStringLiteral("@plinpage"));
        QCOMPARE(dj.markerFor(dj.FormFeed), QString());
        QCOMPARE(dj.markerFor("xyz"), QString());
    }

    void modelListMapsNamesAndPositions()
    {
        QCOMPARE(PrinterModels::names().size(), 29);
        QCOMPARE(PrinterModels::name(12), QStringLiteral("Epson 9 pinos"));
        QCOMPARE(PrinterModels::modelAt(12), pfEpson9pinos);
        QCOMPARE(PrinterModels::modelAt(16), pfNenhuma);
        QCOMPARE(PrinterModels::modelAt(-1), pfNenhuma);
        QCOMPARE(PrinterModels::modelAt(29), pfNenhuma);
        QCOMPARE(PrinterModels::modelAt(28), pfXeroxDC220230);
        QCOMPARE(PrinterModels::position(QString::fromUtf8("Padrão IBM")), 23);
        TPrinterName model = pfNenhuma;
        QVERIFY(PrinterModels::modelForOperatorName(QStringLiteral("HP LASER JET 1200"), &model));
        QCOMPARE(model, pfLazerJet1200);
        QVERIFY(!PrinterModels::modelForOperatorName(QString::fromUtf8("Genérico (Somente Texto)"), &model));
        QVERIFY(!PrinterModels::modelForOperatorName(QStringLiteral("epson 9 pinos"), &model));
        QVERIFY(PrinterModels::modelForName(QString::fromUtf8("Genérico (Somente Texto)"), &model));
        QCOMPARE(model, pfNenhuma);
    }
};

REMETIX_TEST(ControlCodesTest)
#include "ControlCodesTest.moc"
