#include "AppFixture.h"

#include "framework/Session.h"
#include "storage/Table.h"
#include "testsupport/TestMain.h"
#include "utilities/PhraseTable.h"
#include "utilities/UniFrase.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

class PhraseTest : public QObject
{
    Q_OBJECT

private slots:
    void fileRules_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("header and three rows") << QByteArray("Frase\r\num|a\r\ndois|b\r\ntres|c\r\n")
                                               << QStringList{QStringLiteral("um|a"), QStringLiteral("dois|b"), QStringLiteral("tres|c")};
        QTest::newRow("empty third line ends the rows") << QByteArray("Frase\nprimeira|x\n\ndepois|y\n") << QStringList{QStringLiteral("primeira|x")};
        QTest::newRow("column picked by name") << QByteArray("Outra\tFrase\nzz\tdito|autor\n") << QStringList{QStringLiteral("dito|autor")};
        QTest::newRow("cp1252 bytes") << QByteArray("Frase\nA\xe7\xe3o|Jos\xe9\n") << QStringList{QStringLiteral("Ação|José")};
        QTest::newRow("no Frase column") << QByteArray("Texto\num|a\n") << QStringList();
        QTest::newRow("header only") << QByteArray("Frase\n") << QStringList();
    }
    void fileRules()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("Frases.txt")), bytes);
        QCOMPARE(PhraseTable::readFile(dir.filePath(QStringLiteral("Frases.txt"))), rows);
    }

    void longRowsAreCutToTheColumn()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("F.txt")), "Frase\n" + QByteArray(5000, 'x') + "\n");
        QCOMPARE(PhraseTable::readFile(dir.filePath(QStringLiteral("F.txt"))).first().size(), PhraseTable::kColumnWidth);
    }

    void splitAtTheFirstBar_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QString>("author");
        QTest::newRow("plain") << QStringLiteral("Dito|Autor") << QStringLiteral("Dito") << QStringLiteral("Autor");
        QTest::newRow("no bar") << QStringLiteral("Só autor") << QString() << QStringLiteral("Só autor");
        QTest::newRow("two bars") << QStringLiteral("a|b|c") << QStringLiteral("a") << QStringLiteral("b|c");
    }
    void splitAtTheFirstBar()
    {
        QFETCH(QString, row);
        QFETCH(QString, phrase);
        QFETCH(QString, author);
        const PhraseTable::Parts parts = PhraseTable::split(row);
        QCOMPARE(parts.phrase, phrase);
        QCOMPARE(parts.author, author);
    }

    void builtInRowsAreSayingsWithoutDuplicates()
    {
        const QStringList rows = PhraseTable::builtIn();
        QVERIFY(rows.size() > 100);
        QCOMPARE(QSet<QString>(rows.begin(), rows.end()).size(), rows.size());
        for (const QString &row : rows) {
            const PhraseTable::Parts parts = PhraseTable::split(row);
            QVERIFY2(!parts.phrase.isEmpty() && !parts.author.isEmpty() && row.size() <= PhraseTable::kColumnWidth, qPrintable(row));
        }
    }

    void windowNeverShowsTheFirstRowAndWalksItsHistory()
    {
        AppFixture f;
        Session::values().ProgramDir = f.inst.dataRoot();
        writeFile(f.inst.tabelasDir() + QStringLiteral("Frases.txt"), "Frase\nprimeira|A\nsegunda|B\nterceira|C\n");
        TForFrase window;
        window.show();
        QVERIFY(!window.Bot_Ant->isEnabled());
        QStringList seen{window.Label_Frase->text()};
        for (int i = 0; i < 3; ++i) {
            window.Bot_Prox->click();
            seen << window.Label_Frase->text();
        }
        QVERIFY(window.Bot_Ant->isEnabled());
        for (const QString &s : seen)
            QVERIFY(s == QLatin1String("segunda") || s == QLatin1String("terceira"));
        QStringList back;
        for (int i = 0; i < 3; ++i) {
            window.Bot_Ant->click();
            back << window.Label_Frase->text();
        }
        QCOMPARE(back, (QStringList{seen[2], seen[1], seen[0]}));
        QVERIFY(window.Bot_Ant->isEnabled());
        window.Bot_Ant->click();
        QCOMPARE(window.Label_Frase->text(), seen[0]);
        QVERIFY(!window.Bot_Ant->isEnabled());
        Session::reset();
    }

    void singleRowIsShownOnEveryDraw()
    {
        AppFixture f;
        Session::values().ProgramDir = f.inst.dataRoot();
        writeFile(f.inst.tabelasDir() + QStringLiteral("Frases.txt"), "Frase\nsozinha sem barra\n");
        TForFrase window;
        window.show();
        window.Bot_Prox->click();
        QVERIFY(window.Label_Frase->text().isEmpty());
        QCOMPARE(window.Label_Autor->text(), QStringLiteral("sozinha sem barra"));
        Session::reset();
    }

    void startCheckBoxStoresTheChoiceAndTabCloses()
    {
        AppFixture f;
        f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("frs_opr"), QStringLiteral("N")}});
        auto entry = f.loggedIn();
        const auto stored = [&] {
            Table t;
            t.setDirectory(f.inst.tabelasDir());
            t.setTableName(QStringLiteral("TbOpr"));
            t.open();
            t.locate(QStringLiteral("nom_opr"), {QStringLiteral("MASTER")});
            return t.asString(QStringLiteral("frs_opr"));
        };
        TForFrase window;
        window.show();
        QVERIFY(window.Cb_Inicio->isChecked());
        window.Cb_Inicio->click();
        QCOMPARE(stored(), QStringLiteral("N"));
        window.Cb_Inicio->click();
        QCOMPARE(stored(), QString());
        QTest::keyClick(window.Bot_Prox, Qt::Key_Tab);
        QVERIFY(!window.isVisible());
    }
};

REMETIX_TEST(PhraseTest)
#include "PhraseTest.moc"
