#include "framework/UPreview.h"

#include "framework/InputBox.h"
#include "framework/Messages.h"
#include "framework/PreviewReport.h"
#include "framework/PrintDialogs.h"
#include "framework/ProgressText.h"
#include "framework/Session.h"
#include "framework/WaitCursor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewWidget>
#include <QPointer>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TFPreview::TFPreview(std::shared_ptr<PreviewReport> report, QWidget *parent)
    : QWidget(parent), report_(std::move(report)), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("FPreview"));
    setWindowTitle(QStringLiteral("Visualizar"));
    setAttribute(Qt::WA_DeleteOnClose);
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setDocName(report_->name());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(bar);
    viewer_ = new QPrintPreviewWidget(printer_.get(), this);
    viewer_->setObjectName(QStringLiteral("PPreview"));
    viewer_->setViewMode(QPrintPreviewWidget::SinglePageView);
    viewer_->setZoomMode(QPrintPreviewWidget::CustomZoom);
    viewer_->setZoomFactor(1.0);
    QPalette pal = viewer_->palette();
    pal.setColor(QPalette::Window, palette().color(QPalette::Window));
    viewer_->setPalette(pal);
    layout->addWidget(viewer_, 1);
    connect(viewer_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) { report_->paint(printer); });
    connect(viewer_, &QPrintPreviewWidget::previewChanged, this, &TFPreview::publishStatus);

    const struct
    {
        const char *name, *caption, *hint;
        void (TFPreview::*slot)();
    } buttons[] = {
        {"BtFirst", "Primeira", "Primeira Página", &TFPreview::firstPage},
        {"BtPrior", "Anterior", "Página Anterior", &TFPreview::priorPage},
        {"BtNext", "Próxima", "Próxima Pagina", &TFPreview::nextPage},
        {"BtLast", "Última", "Última página", &TFPreview::lastPage},
        {"BtZoom", "Zoom", "Altera Zoom", &TFPreview::cycleZoom},
        {"BtPrinter", "Imprimir", "Imprimir", &TFPreview::print},
        {"BtArquivo", "Arquivo", "Salvar em arquivo", &TFPreview::saveToArchive},
        {"BtExit", "Sair", "Sair", nullptr},
    };
    for (const auto &b : buttons) {
        QToolButton *tool = addButton(QString::fromUtf8(b.name), QString::fromUtf8(b.caption),
                                      QString::fromUtf8(b.hint), b.slot);
        bar->addWidget(tool);
    }

    // Windows opened later may pass keys on to this filter after the
    // preview has gone.
    const KeyHook::Filter outside = KeyHook::current();
    QPointer<TFPreview> self(this);
    hook_.install([self, outside](QKeyEvent *e) {
        if (self && self->filterKey(e))
            return true;
        return outside ? outside(e) : false;
    });
}

TFPreview::~TFPreview() = default;

TFPreview *TFPreview::open(std::shared_ptr<PreviewReport> report, QMdiArea *area)
{
    auto *preview = new TFPreview(std::move(report));
    if (area) {
        QMdiSubWindow *frame = area->addSubWindow(preview);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->showMaximized();
        QObject::connect(area, &QMdiArea::subWindowActivated, preview, [preview, frame](QMdiSubWindow *now) {
            if (now == frame)
                preview->activated();
        });
    } else {
        preview->showMaximized();
    }
    return preview;
}

QToolButton *TFPreview::addButton(const QString &name, const QString &caption, const QString &hint,
                                  void (TFPreview::*slot)())
{
    auto *b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    if (slot)
        connect(b, &QToolButton::clicked, this, slot);
    else
        connect(b, &QToolButton::clicked, this, [this] {
            Progress::show({});
            if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
                frame->close();
            else
                close();
        });
    return b;
}

int TFPreview::zoomPercent() const { return qRound(viewer_->zoomFactor() * 100); }
int TFPreview::currentPage() const { return viewer_->currentPage(); }
int TFPreview::pageCount() const { return viewer_->pageCount(); }

QString TFPreview::statusText() const
{
    return QStringLiteral("Página %1 de %2").arg(viewer_->currentPage()).arg(viewer_->pageCount());
}

void TFPreview::publishStatus() { Progress::show(statusText()); }

void TFPreview::page(const std::function<void()> &move)
{
    Progress::show(QStringLiteral("Aguarde processando..."));
    {
        WaitCursor cursor;
        move();
    }
    Progress::show({});
    publishStatus();
}

void TFPreview::firstPage() { page([this] { viewer_->setCurrentPage(1); }); }
void TFPreview::priorPage() { page([this] { viewer_->setCurrentPage(qMax(1, viewer_->currentPage() - 1)); }); }
void TFPreview::nextPage()
{
    page([this] { viewer_->setCurrentPage(qMin(viewer_->pageCount(), viewer_->currentPage() + 1)); });
}
void TFPreview::lastPage() { page([this] { viewer_->setCurrentPage(viewer_->pageCount()); }); }

void TFPreview::cycleZoom()
{
    const int zoom = zoomPercent();
    viewer_->setZoomMode(QPrintPreviewWidget::CustomZoom);
    viewer_->setZoomFactor((zoom >= 100 ? 25 : zoom + 25) / 100.0);
}

void TFPreview::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report_->name());
    if (Seam<PrintDialogService>::get().choose(&printer, this))
        report_->paint(&printer);
}

void TFPreview::saveToArchive()
{
    const QString proposal = Session::values().ProgramDir + report_->name() + QStringLiteral(".pdf");
    bool ok = false;
    const QString answer = InputBox::ask(QStringLiteral("Salvar Relatório"), QStringLiteral("Local"), proposal, &ok);
    // Giving up the box saves nothing.
    if (!ok)
        return;
    const QString path = answer.trimmed();
    if (path.isEmpty()) {
        Messages::plain(QStringLiteral("Informe o Local para salvar o relatório!"));
        return;
    }
    QPrinter archive(QPrinter::HighResolution);
    archive.setOutputFormat(QPrinter::PdfFormat);
    archive.setPageSize(printer_->pageLayout().pageSize());
    archive.setDocName(report_->name());
    archive.setOutputFileName(path);
    report_->paint(&archive);
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() == 0)
        Messages::error(QStringLiteral("Não foi possível salvar o relatório em ") + path);
}

bool TFPreview::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        activated();
    return QWidget::event(event);
}

void TFPreview::closeEvent(QCloseEvent *event)
{
    if (!closeAllowed_) {
        event->ignore();
        return;
    }
    closeAllowed_ = false;
    hook_.release();
    event->accept();
}

bool TFPreview::filterKey(QKeyEvent *event)
{
    QWidget *focus = QApplication::focusWidget();
    const bool mine = !focus || focus == this || isAncestorOf(focus);
    if (!mine || !isVisible())
        return false;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_PageDown:
        ctrl ? lastPage() : nextPage();
        return true;
    case Qt::Key_PageUp:
        ctrl ? firstPage() : priorPage();
        return true;
    case Qt::Key_Escape:
        findChild<QToolButton *>(QStringLiteral("BtExit"))->click();
        return true;
    default:
        return false;
    }
}
