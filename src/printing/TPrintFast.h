#pragma once

#include "printing/ControlCodes.h"
#include "printing/PrinterModels.h"
#include "printing/TPFPreview.h"
#include "printing/THeaderData.h"

#include <QByteArray>
#include <QDateTime>
#include <QMdiArea>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>

class QFile;
class QIODevice;



// Prints plain text line by line on text-mode printers, turning pitch and
// style requests into the chosen model's control sequences. Besides the
// printer bytes every job leaves a command log: the same lines with each
// control sequence replaced by a marker line, which is what a report file
// keeps so it can be printed again on another model.
//
// A job is BeginDoc, any number of PrintText / SendCode / Eject, then EndDoc.
// There is one job at a time in the process, whichever instance opened it.
class TPrintFast : public QObject
{
    Q_OBJECT
public:
    enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
    Q_ENUM(TFormStyle)

    explicit TPrintFast(QObject *parent = nullptr);
    ~TPrintFast() override;

    // Published settings.
    bool PageHeader() const { return pageHeader_; }
    void setPageHeader(bool on) { pageHeader_ = on; }
    TPrinterName PrinterName() const { return printerName_; }
    void setPrinterName(TPrinterName model) { printerName_ = model; }
    THeaderData &HeaderData() { return headerData_; }
    bool Preview() const { return preview_; }
    void setPreview(bool on) { preview_ = on; }
    int QtLines() const { return qtLines_; }
    void setQtLines(int lines) { qtLines_ = lines; }
    int PageWidth() const { return pageWidth_; }
    void setPageWidth(int width) { pageWidth_ = width; }
    QString PrinterPort() const { return printerPort_; }
    void setPrinterPort(const QString &port) { printerPort_ = port; }
    QString PrinterAdr() const { return printerAdr_; }
    void setPrinterAdr(const QString &address) { printerAdr_ = address; }
    TFormStyle PreviewFormStyle() const { return previewFormStyle_; }
    // The two styles a preview cannot take are refused and the value kept.
    void setPreviewFormStyle(TFormStyle style);
    bool CheckPrinterStatus() const { return checkPrinterStatus_; }
    void setCheckPrinterStatus(bool on) { checkPrinterStatus_ = on; }
    QString Pulodelinha() const { return pulodelinha_; }
    void setPulodelinha(const QString &spacing) { pulodelinha_ = spacing; }
    QString CaracterEspecial() const { return caracterEspecial_; }
    void setCaracterEspecial(const QString &value) { caracterEspecial_ = value; }

    // Run-time settings.
    void setSpool(bool on, const QString &spoolFile = {});
    bool spool() const { return spool_; }
    QString spoolFile() const { return spoolFile_; }
    void setSaveToFile(bool on) { saveToFile_ = on; }
    bool saveToFile() const { return saveToFile_; }
    QString PreviewId;
    std::function<void()> OnPreviewActivate;
    std::function<void()> OnPreviewClose;
    std::function<void(const QVariant &)> OnAfterPrint;
    QVariant AfterPrintData;
    // Folder of the program (preview files below its "Temp") and the data
    // root (the save dialog starts in its "Arquivos"); both default to the
    // running executable's folder.
    void setExeDir(const QString &dir) { exeDir_ = dir; }
    QString exeDir() const { return exeDir_; }
    void setProgramDir(const QString &dir) { programDir_ = dir; }
    QString programDir() const { return programDir_; }
    // The date and time of page headers and save-to-file names.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    // Printing goes to this open device instead of the address (the caller
    // keeps it); preview, save-to-file and spool jobs are not affected.
    void setPrinterDevice(QIODevice *device) { device_ = device; }
    // Where an MDI-child preview is shown; without one it is a window of its own.
    void setMdiArea(QMdiArea *area) { mdiArea_ = area; }
    QMdiArea *mdiArea() const { return mdiArea_; }

    // The sequences the last BeginDoc loaded for the model.
    const ControlCodes &codes() const { return codes_; }

    // The job operations. Each answers false when it did not do its work;
    // the user has then been told why (BeginDoc's status check excepted).
    bool BeginDoc();
    bool PrintText(const QByteArray &prefix, const QString &text, int column, bool newLine);
    bool SendCode(const QByteArray &code);
    bool Eject();
    bool EndDoc();

    // The files of the current or last job.
    static QString commandLogName();
    static QString plainCopyName();
    // Waits for the spool copy of the last job; false when it failed.
    static bool waitForSpoolCopy();
    // The Title1 of the last save-to-file job, proposed by the save dialogs.
    static QString lastSaveTitle();

    TPFPreview *previewWindow() const { return previewWindow_; }

private:
    bool beginDoc();
    bool openPrinterOutput();
    bool openJobFile(QFile &file, const QString &name);
    void prepareFiles(const QStringList &names);
    void createPreviewWindow();
    void deliverPreview();
    bool emitPiece(const QByteArray &prefix, const QByteArray &text, int column, bool newLine, bool checkHeader);
    bool printHeader();
    bool headerText(const QString &text, int column, bool newLine);
    bool writeOutput(const QByteArray &bytes);
    bool writeLog(const QByteArray &bytes);
    bool writeLogLine(const QString &line);
    bool failJob(const QString &systemText);
    bool refuseClosed() const;
    QString tempDir() const;
    QDateTime now() const;

    bool pageHeader_ = false;
    TPrinterName printerName_ = pfNenhuma;
    THeaderData headerData_;
    bool preview_ = false;
    int qtLines_ = 60;
    int pageWidth_ = 80;
    QString printerPort_ = QStringLiteral("LPT1");
    QString printerAdr_ = QStringLiteral("LPT1");
    TFormStyle previewFormStyle_ = fsMDIChild;
    bool checkPrinterStatus_ = false;
    QString pulodelinha_ = QStringLiteral("1/6");
    QString caracterEspecial_;

    bool spool_ = false;
    QString spoolFile_;
    bool saveToFile_ = false;
    QString exeDir_;
    QString programDir_;
    std::function<QDateTime()> clock_;
    QIODevice *device_ = nullptr;
    QPointer<QMdiArea> mdiArea_;
    QPointer<TPFPreview> previewWindow_;
    ControlCodes codes_;
};
