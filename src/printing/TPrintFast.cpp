#include "printing/TPrintFast.h"

#include "printing/CupsPrinterDevice.h"
#include "printing/PrintCharFilter.h"
#include "printing/PrintJobState.h"
#include "printing/PrintMessages.h"
#include "printing/PrinterAddress.h"
#include "printing/PrinterJobDevice.h"
#include "printing/PrinterStatus.h"
#include "printing/ReportFileSaver.h"
#include "printing/SpoolCopy.h"
#include "printing/TPFPreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <stdexcept>

namespace {

const char crlf[] = "\r\n";

// An unexpected failure inside BeginDoc, reported as "Erro ao imprimir!".
struct PrintError : std::runtime_error
{
    explicit PrintError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

QString &saveTitle()
{
    static QString title;
    return title;
}

PrintJobState &job() { return PrintJobState::instance(); }

QString withSlash(const QString &dir) { return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/'); }

} // namespace

TPrintFast::TPrintFast(QObject *parent)
    : QObject(parent), exeDir_(withSlash(QCoreApplication::applicationDirPath())), programDir_(exeDir_)
{
}

TPrintFast::~TPrintFast()
{
    delete previewWindow_.data();
    if (job().open && job().owner == this)
        job().abandon();
    if (job().owner == this)
        job().owner = nullptr;
    if (spool_ && !spoolFile_.isEmpty())
        QFile::remove(spoolFile_);
    // Job files of finished jobs; those of a job still open are left alone.
    const QDir temp(QDir::tempPath());
    const QStringList names = temp.entryList({QStringLiteral("PF*.txt")}, QDir::Files);
    for (const QString &name : names) {
        const QString path = temp.filePath(name);
        if (job().open && (path == job().logName || path == job().plainName || path == job().outputName))
            continue;
        QFile::remove(path);
    }
}

void TPrintFast::setPreviewFormStyle(TFormStyle style)
{
    if (style == fsMDIForm || style == fsStayOnTop) {
        PrintMessages::information(QString::fromUtf8("Valor inválido para esta propriedade!"));
        return;
    }
    previewFormStyle_ = style;
}

void TPrintFast::setSpool(bool on, const QString &spoolFile)
{
    spool_ = on;
    spoolFile_ = spoolFile;
}

QString TPrintFast::commandLogName() { return job().logName; }
QString TPrintFast::plainCopyName() { return job().plainName; }
bool TPrintFast::waitForSpoolCopy() { return SpoolCopy::instance().wait(); }
QString TPrintFast::lastSaveTitle() { return saveTitle(); }

QDateTime TPrintFast::now() const { return clock_ ? clock_() : QDateTime::currentDateTime(); }

QString TPrintFast::tempDir() const
{
    const QString dir = withSlash(QDir::tempPath());
    if (!QDir(dir).exists() && !QDir().mkpath(dir))
        throw PrintError(QString::fromUtf8("Não foi possível ler diretório temporário!"));
    if (!QFileInfo(dir).isReadable())
        throw PrintError(QString::fromUtf8("Não foi possível ler diretório temporário!"));
    return dir;
}

bool TPrintFast::refuseClosed() const
{
    if (job().open)
        return false;
    PrintMessages::current().ask(PrintMessages::None, PrintMessages::Ok,
                                 QString::fromUtf8("Porta de impressão está fechada!"));
    return true;
}

void TPrintFast::prepareFiles(const QStringList &names)
{
    for (const QString &name : names) {
        QFile file(name);
        if (file.exists() && !file.remove())
            PrintMessages::error(QString::fromUtf8("Erro ao deletar arquivo temporário! ") + file.errorString());
    }
}

bool TPrintFast::BeginDoc()
{
    if (job().open)
        job().abandon();
    bool begun = false;
    try {
        begun = beginDoc();
    } catch (const std::exception &error) {
        job().abandon();
        PrintMessages::error(QString::fromUtf8("Erro ao imprimir! ") + QString::fromStdString(error.what()));
    }
    // A preview made for a job that never opened would linger hidden.
    if (!begun)
        delete previewWindow_.data();
    return begun;
}

bool TPrintFast::beginDoc()
{
    PrintJobState &state = job();
    if (!printerPort_.isEmpty()) {
        state.port = printerPort_;
        state.address = printerAdr_;
    } else {
        state.port = state.address = CupsPrinterDevice::defaultQueue();
    }
    state.mode = saveToFile_ ? PrintJobState::SaveToFile : preview_ ? PrintJobState::Preview : PrintJobState::Print;
    state.owner = this;
    state.plainName.clear();

    const bool spooling = state.mode == PrintJobState::Print && spool_;
    switch (state.mode) {
    case PrintJobState::Print:
        if (spooling && !PrinterAddress::ensureDirectory(spoolFile_))
            return false;
        if (!PrinterAddress::ensureDirectory(state.address))
            return false;
        if (spooling)
            SpoolCopy::instance().wait();  // the previous copy still reads the spool file
        state.outputName = spooling ? spoolFile_ : QString();
        state.logName = tempDir() + QStringLiteral("PF3.txt");
        prepareFiles({state.logName});
        break;
    case PrintJobState::Preview: {
        const QString dir = withSlash(exeDir_) + QStringLiteral("Temp/");
        if (!QDir().mkpath(dir))
            throw PrintError(QString::fromUtf8("Não foi possivel criar diretório!"));
        state.outputName = dir + QStringLiteral("PF.txt");
        state.plainName = dir + QStringLiteral("PF2.txt");
        state.logName = dir + QStringLiteral("PF3.txt");
        prepareFiles({state.outputName, state.plainName, state.logName});
        createPreviewWindow();
        break;
    }
    case PrintJobState::SaveToFile: {
        saveTitle() = headerData_.Title1;
        const QDateTime moment = now();
        const QString base = tempDir() + QStringLiteral("PF") + moment.toString(QStringLiteral("ddMM"))
                             + moment.toString(QStringLiteral("HHmmss"));
        state.outputName = base + QStringLiteral(".txt");
        state.plainName = base + QStringLiteral("2.txt");
        state.logName = base + QStringLiteral("3.txt");
        prepareFiles({state.outputName, state.plainName, state.logName});
        break;
    }
    }

    if (state.mode != PrintJobState::Preview && !spooling && checkPrinterStatus_
        && !PrinterStatus::check(state.port))
        return false;

    state.open = true;
    if (!openPrinterOutput())
        return false;
    if (!openJobFile(state.log, state.logName))
        return false;
    if (state.mode != PrintJobState::Print && !openJobFile(state.plain, state.plainName))
        return false;

    state.column = 0;
    state.pageNumber = headerData_.FirstPage;
    state.lineCount = 0;
    state.firstPage = true;
    state.headerPrinted = false;
    state.logAtLineStart = true;
    codes_ = ControlCodes::forModel(printerName_, pulodelinha_);
    return true;
}

bool TPrintFast::openPrinterOutput()
{
    PrintJobState &state = job();
    if (state.outputName.isEmpty() && device_) {
        state.output = device_;
        if (device_->isOpen() && device_->isWritable())
            return true;
        PrintMessages::error(QString::fromUtf8("Não foi possível iniciar impressora especificada em:\r\n") + state.address);
        state.abandon();
        return false;
    }
    if (!state.outputName.isEmpty()) {
        auto file = std::make_unique<QFile>(state.outputName);
        if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            PrintMessages::error(QString::fromUtf8("Não foi possível criar arquivo:\r\n") + state.outputName);
            state.abandon();
            return false;
        }
        state.ownedOutput = std::move(file);
    } else {
        QString error;
        state.ownedOutput = PrinterAddress::open(state.address, headerData_.Title1, &error);
        if (!state.ownedOutput) {
            PrintMessages::error(QString::fromUtf8("Não foi possível iniciar impressora especificada em:\r\n") + state.address);
            state.abandon();
            return false;
        }
    }
    state.output = state.ownedOutput.get();
    return true;
}

bool TPrintFast::openJobFile(QFile &file, const QString &name)
{
    file.setFileName(name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    PrintMessages::error(QString::fromUtf8("Não foi possível criar arquivo:\r\n") + name);
    job().abandon();
    return false;
}

bool TPrintFast::failJob(const QString &systemText)
{
    job().abandon();
    PrintMessages::error(QString::fromUtf8("Erro ao imprimir! ") + systemText);
    return false;
}

bool TPrintFast::writeOutput(const QByteArray &bytes)
{
    QIODevice *out = job().output;
    if (bytes.isEmpty())
        return true;
    if (out->write(bytes) != bytes.size())
        return failJob(out->errorString());
    if (auto *file = qobject_cast<QFileDevice *>(out); file && !file->flush())
        return failJob(file->errorString());
    return true;
}

bool TPrintFast::writeLog(const QByteArray &bytes)
{
    QFile &log = job().log;
    if (bytes.isEmpty())
        return true;
    if (log.write(bytes) != bytes.size() || !log.flush())
        return failJob(log.errorString());
    job().logAtLineStart = bytes.endsWith(crlf);
    return true;
}

// A marker stands on a line of its own even when a piece of text is still
// waiting for its line end, so a replay never prints it.
bool TPrintFast::writeLogLine(const QString &line)
{
    QByteArray bytes = line.toLatin1() + crlf;
    if (!job().logAtLineStart)
        bytes.prepend(crlf);
    return writeLog(bytes);
}

bool TPrintFast::PrintText(const QByteArray &prefix, const QString &text, int column, bool newLine)
{
    if (refuseClosed())
        return false;
    const QByteArray filtered = PrintCharFilter::apply(text, caracterEspecial_ == QLatin1String("S"));
    if (pageHeader_ && job().lineCount == 0 && !printHeader())
        return false;
    return emitPiece(prefix, filtered, column, newLine, pageHeader_);
}

bool TPrintFast::emitPiece(const QByteArray &prefix, const QByteArray &text, int column, bool newLine, bool checkHeader)
{
    PrintJobState &state = job();
    const QByteArray padding(qMax(0, column - state.column), ' ');
    QByteArray piece = prefix + padding + text;
    QByteArray plainPiece = padding + text;
    if (newLine) {
        piece += crlf;
        plainPiece += crlf;
    }
    if (!writeOutput(piece) || !writeLog(piece))
        return false;
    if (state.mode != PrintJobState::Print) {
        if (state.plain.write(plainPiece) != plainPiece.size() || !state.plain.flush())
            return failJob(state.plain.errorString());
    }
    if (!newLine) {
        state.column = column + int(text.size());
        return true;
    }
    ++state.lineCount;
    state.column = 0;
    if (checkHeader && state.lineCount > qtLines_)
        return printHeader();
    return true;
}

bool TPrintFast::SendCode(const QByteArray &code)
{
    if (refuseClosed())
        return false;
    if (!writeOutput(code))
        return false;
    const QString marker = codes_.markerFor(code);
    return marker.isEmpty() || writeLogLine(marker);
}

bool TPrintFast::Eject()
{
    if (refuseClosed())
        return false;
    if (!writeOutput(codes_.FormFeed) || !writeLogLine(QStringLiteral("@Ejetar")))
        return false;
    job().lineCount = 0;
    job().firstPage = true;
    return true;
}

bool TPrintFast::EndDoc()
{
    PrintJobState &state = job();
    if (!state.open)
        return false;
    if (auto *device = qobject_cast<PrinterJobDevice *>(state.output); device && !device->finishJob())
        return failJob(device->errorString());
    if (auto *file = qobject_cast<QFileDevice *>(state.output); file && !file->flush())
        return failJob(file->errorString());
    if (state.ownedOutput)
        state.ownedOutput->close();
    if (!writeLogLine(QStringLiteral("@Fim")) || !writeLogLine(QStringLiteral("@Fim")))
        return false;
    state.log.close();
    state.plain.close();
    state.abandon();

    switch (state.mode) {
    case PrintJobState::Preview:
        deliverPreview();
        return true;
    case PrintJobState::SaveToFile: {
        saveToFile_ = false;
        QFile plain(state.plainName);
        const QByteArray text = plain.open(QIODevice::ReadOnly) ? plain.readAll() : QByteArray();
        return ReportFileSaver::save(text, state.logName, programDir_, saveTitle());
    }
    case PrintJobState::Print:
        if (spool_ && QFile::exists(spoolFile_))
            return SpoolCopy::instance().start(spoolFile_, state.address);
        return true;
    }
    return true;
}

void TPrintFast::createPreviewWindow()
{
    for (TPFPreview *open : TPFPreview::openPreviews())
        if (open->previewId() == PreviewId)
            open->close();
    auto *window = new TPFPreview(this);
    window->setPreviewId(PreviewId);
    window->OnActivate = OnPreviewActivate;
    window->OnClose = OnPreviewClose;
    window->setJobFiles(job().logName, job().plainName);
    TPrintFast *own = window->PrintFast1;
    own->setPrinterPort(job().port);
    own->setPrinterAdr(job().address);
    own->setPrinterName(printerName_);
    own->setExeDir(exeDir_);
    own->setProgramDir(programDir_);
    own->OnAfterPrint = OnAfterPrint;
    own->AfterPrintData = AfterPrintData;
    previewWindow_ = window;
}

void TPrintFast::deliverPreview()
{
    if (!previewWindow_)
        return;
    QFile plain(job().plainName);
    QFile output(job().outputName);
    const QByteArray plainText = plain.open(QIODevice::ReadOnly) ? plain.readAll() : QByteArray();
    const QByteArray printerText = output.open(QIODevice::ReadOnly) ? output.readAll() : QByteArray();
    previewWindow_->load(plainText, printerText);
    if (previewFormStyle_ == fsMDIChild && mdiArea_) {
        QMdiSubWindow *frame = mdiArea_->addSubWindow(previewWindow_);
        // The window frees itself on close; its frame must not stay behind empty.
        connect(previewWindow_, &QObject::destroyed, frame, &QWidget::close);
        frame->showMaximized();
    } else
        previewWindow_->showMaximized();
}

bool TPrintFast::headerText(const QString &text, int column, bool newLine)
{
    return emitPiece({}, PrintCharFilter::apply(text, caracterEspecial_ == QLatin1String("S")), column, newLine, false);
}

// The header's line arithmetic is kept as reports have always counted it:
// the title lines and the rule count twice towards the page's lines.
bool TPrintFast::printHeader()
{
    PrintJobState &state = job();
    if (state.lineCount != 0 || !state.firstPage) {
        if (!Eject())
            return false;
        ++state.pageNumber;
    } else if (state.headerPrinted) {
        // The caller ejected the page itself: it is still a new page.
        ++state.pageNumber;
    }
    state.lineCount = 1;
    const THeaderData &h = headerData_;
    const int width = pageWidth_;
    const QDateTime moment = now();
    auto centred = [width](const QString &text) { return width / 2 - int(text.size()) / 2; };
    auto rightAligned = [width](const QString &text) { return width - int(text.size()); };

    bool ok = headerText(moment.toString(QStringLiteral("dd/MM/yy")), 0, false)
              && headerText(moment.toString(QStringLiteral("HH:mm:ss")), 11, false)
              && headerText(h.Title1, centred(h.Title1), false)
              && headerText(QStringLiteral("Pagina:"), width - 12, false)
              && headerText(QStringLiteral("%1").arg(state.pageNumber, 4, 10, QLatin1Char('0')), width - 4, true);
    ok = ok && headerText(h.Left2, 0, false) && headerText(h.Title2, centred(h.Title2), false)
         && headerText(h.Right2, rightAligned(h.Right2), true);
    if (!ok)
        return false;
    ++state.lineCount;
    const QString sides[2][2] = {{h.Left3, h.Right3}, {h.Left4, h.Right4}};
    for (const auto &side : sides) {
        if (side[0].isEmpty() && side[1].isEmpty())
            continue;
        if (!headerText(side[0], 0, false) || !headerText(side[1], rightAligned(side[1]), true))
            return false;
        ++state.lineCount;
    }
    if (!headerText(QStringLiteral(" "), 0, true))
        return false;
    for (const QString &columns : {h.ColHeader1, h.ColHeader2, h.ColHeader3}) {
        if (columns.isEmpty())
            continue;
        const QStringList segments = columns.split(QLatin1Char(';'));
        for (int i = 0; i < segments.size(); ++i) {
            const qsizetype comma = segments[i].lastIndexOf(QLatin1Char(','));
            const QString caption = comma < 0 ? segments[i] : segments[i].left(comma);
            const int at = comma < 0 ? 0 : segments[i].mid(comma + 1).trimmed().toInt();
            if (!headerText(caption, at, i == segments.size() - 1))
                return false;
        }
        ++state.lineCount;
    }
    if (!headerText(QString(width, QLatin1Char('-')), 0, true))
        return false;
    ++state.lineCount;
    state.firstPage = false;
    state.headerPrinted = true;
    return true;
}
