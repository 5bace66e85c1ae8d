#include "app/PrintFileDialogsAdapter.h"
#include "app/PrintMessagesAdapter.h"
#include "framework/FileDialogs.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TestMain.h"

#include <QTest>

namespace {

class ScriptedSave : public FileDialogService
{
public:
    ScriptedSave() : seam_(*this) {}
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &dir, const QString &filter) override
    {
        askedDir = dir;
        askedFilter = filter;
        return answer;
    }
    QString existingDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    QString answer, askedDir, askedFilter;

private:
    ScopedSeam<FileDialogService> seam_;
};

} // namespace

class PrintAdaptersTest : public QObject
{
    Q_OBJECT

private slots:
    void messagesKeepIconButtonsAndAnswer()
    {
        ScriptedMessages messages;
        PrintMessagesAdapter adapter;
        messages.answer(MsgAnswer::No);
        QCOMPARE(adapter.ask(PrintMessages::Warning, PrintMessages::YesNo, QStringLiteral("Continuar?")), PrintMessages::AnswerNo);
        QCOMPARE(messages.shown().last().icon, MsgIcon::Warning);
        QCOMPARE(messages.shown().last().buttons, MsgButtons::YesNo);
        QCOMPARE(adapter.ask(PrintMessages::Error, PrintMessages::Ok, QStringLiteral("Falhou")), PrintMessages::AnswerOk);
        QCOMPARE(messages.shown().last().icon, MsgIcon::Error);
    }

    void saveDialogGetsTheFilterSelectedKindFirstAndTheSuffix()
    {
        ScriptedSave dialogs;
        PrintFileDialogsAdapter adapter;
        PrintFileDialogs::SaveRequest request;
        request.filter = QStringLiteral("Relatório|*.raf|Texto|*.txt;*.prn");
        request.selectedFilter = 1;
        request.defaultSuffix = QStringLiteral("txt");
        request.directory = QStringLiteral("/tmp/rel");
        request.proposedName = QStringLiteral("etiquetas");
        dialogs.answer = QStringLiteral("/tmp/rel/saida");
        QCOMPARE(adapter.saveFileName(request), QStringLiteral("/tmp/rel/saida.txt"));
        QCOMPARE(dialogs.askedFilter, QStringLiteral("Texto (*.txt *.prn);;Relatório (*.raf)"));
        QCOMPARE(dialogs.askedDir, QStringLiteral("/tmp/rel/etiquetas"));
        dialogs.answer = QStringLiteral("/tmp/rel/saida.prn");
        QCOMPARE(adapter.saveFileName(request), QStringLiteral("/tmp/rel/saida.prn"));
        dialogs.answer.clear();
        QVERIFY(adapter.saveFileName(request).isEmpty());
    }
};

REMETIX_TEST(PrintAdaptersTest)
#include "PrintAdaptersTest.moc"
