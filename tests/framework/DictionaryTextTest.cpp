#include "framework/DictionaryText.h"
#include "storage/DbError.h"
#include "testsupport/TestMain.h"

#include <QTest>

class DictionaryTextTest : public QObject
{
    Q_OBJECT
private slots:
    void shippedDictionaryDefinesEveryTableTheProgramOpens()
    {
        const DictionaryText dictionary = DictionaryText::load(QStringLiteral(":/data/dictionary.txt"));
        QVERIFY(dictionary.version >= 1);
        for (const char *name : {"TBSTR", "TBSTRD", "TBVERESTRU", "TBMOD", "TBEMP", "TBCTD", "TBNIV", "TBJUR", "TBETQ",
                                 "TBGIAPAI", "TBCEP", "CEP", "TBOPR", "TBOPRLOG", "TBCLI", "TBCLI2", "TBSITUA",
                                 "TBFOR", "TBTIT", "TBLOG"})
            QVERIFY2(dictionary.find(QString::fromLatin1(name)), name);
        const DictionaryTable *cli = dictionary.find(QStringLiteral("tbcli"));
        QCOMPARE(cli->application, QStringLiteral("REMETIX"));
        QCOMPARE(cli->definition.fields.at(2).name, QStringLiteral("nom_cli"));
        QCOMPARE(cli->fieldDescriptions.at(2), QStringLiteral("Nome"));
        const DictionaryTable *opr = dictionary.find(QStringLiteral("TBOPR"));
        bool pairIndex = false;
        for (const IndexDef &index : opr->definition.indexes)
            pairIndex |= index.fields.join(QLatin1Char(';')).compare(QStringLiteral("nom_opr;sen_opr"), Qt::CaseInsensitive) == 0;
        QVERIFY(pairIndex);
    }

    void malformedTextNamesTheLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("unknown kind") << "version 1\ntable T X \"t\"\nfield a decimal \"A\"\nend\n" << "linha 3";
        QTest::newRow("text without size") << "version 1\ntable T X \"t\"\nfield a text \"A\"\nend\n" << "sem tamanho";
        QTest::newRow("index on missing field") << "version 1\ntable T X \"t\"\nfield a integer \"A\"\nindex b \"B\"\nend\n" << "campo inexistente: b";
        QTest::newRow("two primaries") << "version 1\ntable T X \"t\"\nfield a integer \"A\"\nindex primary a \"A\"\nindex primary a \"A\"\nend\n" << "segunda chave";
        QTest::newRow("no end") << "version 1\ntable T X \"t\"\nfield a integer \"A\"\n" << "sem \"end\"";
        QTest::newRow("no version") << "table T X \"t\"\nfield a integer \"A\"\nend\n" << "sem linha de versão";
        QTest::newRow("open quote") << "version 1\ntable T X \"t\nend\n" << "aspas";
    }
    void malformedTextNamesTheLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, fragment);
        try {
            DictionaryText::parse(text, QStringLiteral("dic.txt"));
            QFAIL("accepted");
        } catch (const DbError &e) {
            QVERIFY2(e.message().contains(fragment), qPrintable(e.message()));
            QVERIFY(e.message().startsWith(QStringLiteral("dic.txt")));
        }
    }
};

REMETIX_TEST(DictionaryTextTest)
#include "DictionaryTextTest.moc"
