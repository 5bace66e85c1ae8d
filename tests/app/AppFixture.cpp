#include "AppFixture.h"

#include "app/UniApr.h"
#include "app/UniPri.h"
#include "storage/Table.h"
#include "framework/UniKernix.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

void withTable(const QString &dir, const QString &name, const std::function<void(Table &)> &work)
{
    Table table;
    table.setDirectory(dir);
    table.setTableName(name);
    table.open();
    work(table);
}

} // namespace

AppFixture::AppFixture()
{
    if (!inst.initData())
        qFatal("installation not built");
    inst.writeStandardConfig();
    qputenv("USER", "nobody-here");
    // The first operator, as the first start of the program makes it.
    addOperator(1, QStringLiteral("MASTER"), QStringLiteral("ZELNOK"), 0);
    setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("frs_opr"), QString()}});
}

AppFixture::~AppFixture() = default;

QString AppFixture::readMarker() const
{
    QFile file(markerPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

void AppFixture::setOperatorFields(const QString &name, const QVariantMap &fields) const
{
    withTable(inst.tabelasDir(), QStringLiteral("TbOpr"), [&](Table &t) {
        if (!t.locate(QStringLiteral("nom_opr"), {name}))
            qFatal("operator missing");
        t.edit();
        for (auto it = fields.cbegin(); it != fields.cend(); ++it)
            t.setValue(it.key(), it.value());
        t.post();
    });
}

void AppFixture::addOperator(int code, const QString &name, const QString &password, int level) const
{
    withTable(inst.tabelasDir(), QStringLiteral("TbOpr"), [&](Table &t) {
        t.append();
        t.setValue(QStringLiteral("cod_opr"), code);
        t.setValue(QStringLiteral("nom_opr"), name);
        t.setValue(QStringLiteral("sen_opr"), Kernix::Converte(password, 8).left(8));
        t.setValue(QStringLiteral("niv_opr"), level);
        t.setValue(QStringLiteral("emp_opr"), 0);
        t.setValue(QStringLiteral("frs_opr"), QStringLiteral("N"));
        t.post();
    });
}

void AppFixture::addCompany(int code, const QString &name, int level) const
{
    withTable(inst.tabelasDir(), QStringLiteral("TbEmp"), [&](Table &t) {
        t.append();
        t.setValue(QStringLiteral("cod_emp"), code);
        t.setValue(QStringLiteral("nom_emp"), name);
        t.setValue(QStringLiteral("cen_emp"), 0);
        t.setValue(QStringLiteral("niv_emp"), level);
        t.post();
    });
}

void AppFixture::addLevel(int level, const QString &module, const QString &rights) const
{
    withTable(inst.tabelasDir(), QStringLiteral("TbNiv"), [&](Table &t) {
        const int number = t.recordCount() + 1;
        t.append();
        t.setValue(QStringLiteral("num_niv"), number);
        t.setValue(QStringLiteral("cod_niv"), level);
        t.setValue(QStringLiteral("mod_niv"), module);
        t.setValue(QStringLiteral("ace_niv"), rights);
        t.post();
    });
}

bool AppFixture::presenceExists(int operatorCode) const
{
    bool found = false;
    withTable(inst.tabelasDir(), QStringLiteral("TbOprLog"), [&](Table &t) {
        found = t.locate(QStringLiteral("cod_opr;sis_opr"), {operatorCode, QStringLiteral("RX")});
    });
    return found;
}

std::unique_ptr<ProgramEntry> AppFixture::start(const QStringList &arguments)
{
    auto entry = std::make_unique<ProgramEntry>(inst.programPath(), arguments);
    entry->start();
    return entry;
}

std::unique_ptr<ProgramEntry> AppFixture::loggedIn(const QStringList &arguments)
{
    auto entry = start(arguments);
    login(*entry, QStringLiteral("MASTER"), QStringLiteral("ZELNOK"));
    if (!entry->mainWindow()->isVisible())
        qWarning("login did not reach the main window");
    QTest::qWait(20);
    return entry;
}

void AppFixture::login(ProgramEntry &entry, const QString &name, const QString &password)
{
    TForApr *apr = entry.openingWindow();
    if (!apr)
        return;
    apr->Ed_Nome->setCurrentIndex(apr->Ed_Nome->findText(name));
    apr->Ed_Senha->setFocus();
    apr->Ed_Senha->setText(password);
    apr->BtSen1->click();
}

ModalDriver::ModalDriver()
{
    connect(&timer_, &QTimer::timeout, this, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && match_(modal)) {
            seen_ = true;
            timer_.stop();
            return;
        }
        // Give up after a while so a missing window fails the test instead
        // of leaving the timer behind.
        if (++ticks_ > 500)
            timer_.stop();
    });
}
