#include "printing/TPFPreview.h"

#include "printing/PrintCodePage.h"
#include "printing/PrintMessages.h"
#include "printing/PrinterIni.h"
#include "printing/ReportFileSaver.h"
#include "printing/TPrintFast.h"

#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const int zoomPoints[] = {4, 5, 7, 10, 12};
const char *const zoomCaptions[] = {"25%", "50%", "75%", "100%", "125%"};
constexpr int zoomSteps = 5;

QList<QPointer<TPFPreview>> &previews()
{
    static QList<QPointer<TPFPreview>> list;
    return list;
}

QString shownText(const QByteArray &bytes)
{
    QString text = PrintCodePage::decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

} // namespace

TPFPreview::TPFPreview(TPrintFast *engine, QWidget *parent)
    : QWidget(parent), PrintFast1(new TPrintFast(this)), engine_(engine)
{
    setObjectName(QStringLiteral("PFPreview"));
    setWindowTitle(QString::fromUtf8("Visualização"));
    setAttribute(Qt::WA_DeleteOnClose);
    PrintFast1->setObjectName(QStringLiteral("PrintFast1"));

    auto *bar = new QHBoxLayout;
    BtFirst = addButton("BtFirst", QStringLiteral("Início"), QStringLiteral("Inicio"));
    BtPrior = addButton("BtPrior", QStringLiteral("Anterior"), QString::fromUtf8("Página anterior"));
    BtNext = addButton("BtNext", QString::fromUtf8("Próxima"), QString::fromUtf8("Próxima página"));
    BtLast = addButton("BtLast", QString::fromUtf8("Última"), QString::fromUtf8("Última página"));
    BtZoom = addButton("BtZoom", QStringLiteral("Zoom +"), QStringLiteral("Zoom"));
    BtZoomOut = addButton("BtZoomOut", QStringLiteral("Zoom -"), QStringLiteral("Zoom"));
    BtPrinter = addButton("BtPrinter", QStringLiteral("Imprimir"), QStringLiteral("Imprimir"));
    BtFile = addButton("BtFile", QStringLiteral("Salvar"), QStringLiteral("Salvar para arquivo"));
    BtExit = addButton("BtExit", QStringLiteral("Sair"), QStringLiteral("Sair"));
    for (QToolButton *button : {BtFirst, BtPrior, BtNext, BtLast, BtZoom, BtZoomOut, BtPrinter, BtFile, BtExit})
        bar->addWidget(button);
    Lb_Zoon = new QLabel(QStringLiteral("Zoom 75%"), this);
    Lb_Zoon->setObjectName(QStringLiteral("Lb_Zoon"));
    bar->addWidget(Lb_Zoon);
    bar->addStretch();

    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont font(QStringLiteral("Terminal"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(zoomPoints[zoomStep_]);
    RichEdit1->setFont(font);
    RichEdit2 = new QPlainTextEdit(this);
    RichEdit2->setObjectName(QStringLiteral("RichEdit2"));
    RichEdit2->setReadOnly(true);
    RichEdit2->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(RichEdit1);
    layout->addWidget(RichEdit2);

    connect(BtFirst, &QToolButton::clicked, this, &TPFPreview::BtFirstClick);
    connect(BtPrior, &QToolButton::clicked, this, &TPFPreview::BtPriorClick);
    connect(BtNext, &QToolButton::clicked, this, &TPFPreview::BtNextClick);
    connect(BtLast, &QToolButton::clicked, this, &TPFPreview::BtLastClick);
    connect(BtZoom, &QToolButton::clicked, this, &TPFPreview::BtZoomClick);
    connect(BtZoomOut, &QToolButton::clicked, this, &TPFPreview::BtZoomOutClick);
    connect(BtPrinter, &QToolButton::clicked, this, &TPFPreview::BtPrinterClick);
    connect(BtFile, &QToolButton::clicked, this, &TPFPreview::BtFileClick);
    connect(BtExit, &QToolButton::clicked, this, &TPFPreview::BtExitClick);
    previews().append(this);
}

TPFPreview::~TPFPreview()
{
    previews().removeAll(QPointer<TPFPreview>());
    previews().removeAll(this);
}

QList<TPFPreview *> TPFPreview::openPreviews()
{
    QList<TPFPreview *> list;
    for (const QPointer<TPFPreview> &preview : previews())
        if (preview)
            list << preview.data();
    return list;
}

QToolButton *TPFPreview::addButton(const char *name, const QString &caption, const QString &hint)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint);
    return button;
}

void TPFPreview::setJobFiles(const QString &commandLog, const QString &plainCopy)
{
    commandLog_ = commandLog;
    plainCopy_ = plainCopy;
}

void TPFPreview::load(const QByteArray &plainText, const QByteArray &printerText)
{
    plainText_ = plainText;
    printerText_ = PrintCodePage::decode(printerText);
    RichEdit1->setPlainText(shownText(plainText));
    RichEdit2->setPlainText(shownText(printerText));
    moveToLine(0);
}

int TPFPreview::caretLine() const { return RichEdit1->textCursor().blockNumber(); }

// Lines as the text holds them: a final line end opens no further line.
int TPFPreview::lineCount() const
{
    const QTextDocument *document = RichEdit1->document();
    int count = document->blockCount();
    if (count > 0 && document->lastBlock().text().isEmpty())
        --count;
    return count;
}

int TPFPreview::fontPointSize() const { return RichEdit1->font().pointSize(); }

void TPFPreview::moveToLine(int line)
{
    const QTextBlock block = RichEdit1->document()->findBlockByNumber(qMax(0, line));
    QTextCursor cursor(block);
    RichEdit1->setTextCursor(cursor);
    RichEdit1->ensureCursorVisible();
}

void TPFPreview::BtFirstClick() { moveToLine(0); }

void TPFPreview::BtPriorClick()
{
    const int line = caretLine();
    moveToLine(line < pageLines + 1 ? 0 : line - pageLines);
}

void TPFPreview::BtNextClick()
{
    const int line = caretLine();
    if (line < lineCount() - pageLines)
        moveToLine(line + pageLines);
}

void TPFPreview::BtLastClick() { moveToLine(lineCount() - pageLines); }

void TPFPreview::zoomTo(int step)
{
    if (step < 0 || step >= zoomSteps)
        return;
    zoomStep_ = step;
    QFont font = RichEdit1->font();
    font.setPointSize(zoomPoints[step]);
    RichEdit1->setFont(font);
    Lb_Zoon->setText(QString::fromLatin1(zoomCaptions[step]));
}

void TPFPreview::BtZoomClick() { zoomTo(zoomStep_ + 1); }
void TPFPreview::BtZoomOutClick() { zoomTo(zoomStep_ - 1); }

void TPFPreview::BtPrinterClick()
{
    const bool asIs = PrinterIni::value(PrintFast1->exeDir(), QStringLiteral("CARACTER")) == QLatin1String("S");
    PrintFast1->setCaracterEspecial(asIs ? QStringLiteral("S") : QStringLiteral("N"));
    if (PrintMessages::current().ask(PrintMessages::Confirmation, PrintMessages::YesNo,
                                     QString::fromUtf8("Confirma a impressão?"))
        != PrintMessages::AnswerYes)
        return;
    // A printer that refused the job has been reported once; going on
    // would only repeat "port closed" for every line.
    if (!PrintFast1->BeginDoc())
        return;
    QStringList lines = printerText_.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (int i = 0; i < lines.size(); ++i)
        if (!PrintFast1->PrintText({}, lines[i], 0, i < lines.size() - 1))
            return;
    if (!PrintFast1->EndDoc())
        return;
    if (PrintFast1->OnAfterPrint && PrintFast1->AfterPrintData.isValid())
        PrintFast1->OnAfterPrint(PrintFast1->AfterPrintData);
}

void TPFPreview::BtFileClick()
{
    const QString programDir = engine_ ? engine_->programDir() : PrintFast1->programDir();
    ReportFileSaver::save(plainText_, commandLog_, programDir, TPrintFast::lastSaveTitle());
}

void TPFPreview::BtExitClick() { close(); }

void TPFPreview::FormActivate()
{
    if (OnActivate)
        OnActivate();
    BtZoomClick();
}

bool TPFPreview::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void TPFPreview::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TPFPreview::closeEvent(QCloseEvent *event)
{
    if (!closed_) {
        closed_ = true;
        if (!commandLog_.isEmpty())
            QFile::remove(commandLog_);
        if (!plainCopy_.isEmpty())
            QFile::remove(plainCopy_);
        if (OnClose)
            OnClose();
    }
    event->accept();
}
