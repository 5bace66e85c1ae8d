#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QToolButton;
class TPrintFast;

// Shows a finished job on screen ("Visualização"): the plain copy, paged by
// 67 lines and zoomed in steps, with printing of the printer text on the
// window's own engine and saving as text or as a report file.
class TPFPreview : public QWidget
{
    Q_OBJECT
public:
    static constexpr int pageLines = 67;

    // engine: the engine whose job this is; the window lives until closed,
    // or until the engine goes.
    explicit TPFPreview(TPrintFast *engine, QWidget *parent = nullptr);
    ~TPFPreview() override;

    static QList<TPFPreview *> openPreviews();

    QString previewId() const { return previewId_; }
    void setPreviewId(const QString &id) { previewId_ = id; }
    // The job's files, removed when the window closes.
    void setJobFiles(const QString &commandLog, const QString &plainCopy);
    void load(const QByteArray &plainText, const QByteArray &printerText);

    int caretLine() const;
    int lineCount() const;
    int fontPointSize() const;

    std::function<void()> OnActivate;
    std::function<void()> OnClose;

    TPrintFast *PrintFast1;
    QToolButton *BtFirst, *BtPrior, *BtNext, *BtLast, *BtZoom, *BtZoomOut, *BtPrinter, *BtFile, *BtExit;
    QLabel *Lb_Zoon;
    QPlainTextEdit *RichEdit1;
    QPlainTextEdit *RichEdit2;

public slots:
    void BtFirstClick();
    void BtPriorClick();
    void BtNextClick();
    void BtLastClick();
    void BtZoomClick();
    void BtZoomOutClick();
    void BtPrinterClick();
    void BtFileClick();
    void BtExitClick();
    void FormActivate();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QToolButton *addButton(const char *name, const QString &caption, const QString &hint);
    void moveToLine(int line);
    void zoomTo(int step);

    TPrintFast *engine_;
    QString previewId_;
    QString commandLog_;
    QString plainCopy_;
    QByteArray plainText_;
    QString printerText_;
    int zoomStep_ = 2;
    bool closed_ = false;
};
