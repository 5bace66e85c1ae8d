#include "framework/MaskedText.h"
#include "framework/RegisterWindow.h"
#include "framework/RegisterGrid.h"
#include "testsupport/TestMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A register with two boxes on "Ficha", the second checked on leaving.
class SampleRegister : public RegisterWindow
{
public:
    SampleRegister() : RegisterWindow(QStringLiteral("ForAmostra"), QStringLiteral("Amostra"))
    {
        setAttribute(Qt::WA_DeleteOnClose, false);
        auto *layout = new QVBoxLayout(fichaPage());
        for (const char *name : {"Ed_Um", "Ed_Dois", "Ed_Tres"}) {
            auto *e = new QLineEdit(fichaPage());
            e->setObjectName(QString::fromLatin1(name));
            layout->addWidget(e);
        }
        memo = new QPlainTextEdit(fichaPage());
        layout->addWidget(memo);
        setOkButton(addButton(QStringLiteral("BtOk"), QStringLiteral("&Ok"), [this] {
            ++oks;
            downSeen = button(QStringLiteral("BtOk"))->isDown();
            if (pressAgain)
                button(QStringLiteral("BtOk"))->click();
        }));
        setExitButton(addButton(QStringLiteral("BtSair"), QStringLiteral("&Sair"), [this] { ++exits; }));
        setLeaveCheck(box("Ed_Dois"), [this] {
            ++checks;
            return box("Ed_Dois")->text() != QStringLiteral("X");
        });
    }
    QLineEdit *box(const char *name) const { return findChild<QLineEdit *>(QString::fromLatin1(name)); }
    void edit()
    {
        setMode(Mode::Insert);
        showFicha();
    }
    bool canLeaveFicha() override { return leave; }

    int oks = 0, exits = 0, checks = 0;
    bool leave = true;
    bool downSeen = false;
    bool pressAgain = false;
    QPlainTextEdit *memo = nullptr;
};

QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

} // namespace

class RegisterHelpersTest : public QObject
{
    Q_OBJECT
private slots:
    void maskedValuesKeepLiteralsOrStoreNothing_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("cep empty") << MaskedText::cep() << "" << "";
        QTest::newRow("cep") << MaskedText::cep() << "01310100" << "01310-100";
        QTest::newRow("cnpj empty") << MaskedText::cnpj() << "" << "";
        QTest::newRow("cnpj") << MaskedText::cnpj() << "11222333000181" << "11.222.333/0001-81";
        QTest::newRow("cpf") << MaskedText::cpf() << "12345678909" << "123456789-09";
        QTest::newRow("date empty") << MaskedText::date() << "" << "";
        QTest::newRow("date") << MaskedText::date() << "05032026" << "05/03/2026";
    }
    void maskedValuesKeepLiteralsOrStoreNothing()
    {
        QFETCH(QString, mask);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QLineEdit box;
        MaskedText::apply(&box, mask);
        box.setText(typed);
        QCOMPARE(MaskedText::stored(box.text(), mask), stored);
    }

    void dateBoxGivesDateOnlyForCalendarDates()
    {
        QCOMPARE(MaskedText::storedDate(QStringLiteral("29/02/2024")), QDate(2024, 2, 29));
        QVERIFY(!MaskedText::storedDate(QStringLiteral("31/02/2024")).isValid());
        QVERIFY(!MaskedText::storedDate(QStringLiteral("//")).isValid());
    }

    void keyboardSchemeMovesChecksAndPresses()
    {
        SampleRegister w;
        w.show();
        w.activateWindow();
        QApplication::setActiveWindow(&w);
        w.edit();
        w.box("Ed_Um")->setFocus();
        QTest::keyClick(w.box("Ed_Um"), Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("Ed_Dois"));
        // Leaving with a refused value keeps the cursor; a mouse click elsewhere runs no check.
        w.box("Ed_Dois")->setText(QStringLiteral("X"));
        QTest::keyClick(w.box("Ed_Dois"), Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("Ed_Dois"));
        QCOMPARE(w.checks, 1);
        w.box("Ed_Tres")->setFocus();
        QCOMPARE(w.checks, 1);
        QTest::keyClick(w.box("Ed_Tres"), Qt::Key_Up);
        QCOMPARE(focusName(), QStringLiteral("Ed_Dois"));
        w.box("Ed_Dois")->setText(QStringLiteral("Y"));
        QTest::keyClick(w.box("Ed_Dois"), Qt::Key_Enter);
        QCOMPARE(focusName(), QStringLiteral("Ed_Tres"));
        QCOMPARE(w.checks, 2);
        // The memo keeps its own Enter.
        w.memo->setFocus();
        QTest::keyClick(w.memo, Qt::Key_Return);
        QCOMPARE(w.memo->toPlainText(), QStringLiteral("\n"));
        QTest::keyClick(w.box("Ed_Um"), Qt::Key_PageDown);
        QCOMPARE(w.oks, 1);
        w.button(QStringLiteral("BtOk"))->setEnabled(false);
        QTest::keyClick(w.box("Ed_Um"), Qt::Key_PageDown);
        QCOMPARE(w.oks, 1);
        QTest::keyClick(w.box("Ed_Um"), Qt::Key_Escape);
        QCOMPARE(w.exits, 1);
    }

    void keysOutsideTheWindowAreLeftAlone()
    {
        SampleRegister w;
        w.show();
        QLineEdit other;
        other.show();
        other.activateWindow();
        QApplication::setActiveWindow(&other);
        other.setFocus();
        QTest::keyClick(&other, Qt::Key_Escape);
        QCOMPARE(w.exits, 0);
    }

    void fichaCannotBeLeftWhileItsChecksFail()
    {
        SampleRegister w;
        w.show();
        w.edit();
        w.leave = false;
        w.pages()->setCurrentIndex(0);
        QCOMPARE(w.pages()->currentWidget(), w.fichaPage());
        w.leave = true;
        w.pages()->setCurrentIndex(0);
        QCOMPARE(w.pages()->currentWidget(), w.tablePage());
    }

    void buttonShowsPressedWhileItsActionRuns()
    {
        SampleRegister w;
        w.pressAgain = true;
        QPushButton *b = w.button(QStringLiteral("BtOk"));
        b->click();
        QVERIFY(w.downSeen);
        QVERIFY(!b->isDown());
        QCOMPARE(w.oks, 1);
    }
};

REMETIX_TEST(RegisterHelpersTest)
#include "RegisterHelpersTest.moc"
