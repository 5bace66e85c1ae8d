#pragma once

#include "framework/KeyHook.h"

#include <QWidget>

#include <memory>

class PreviewReport;
class QPrintPreviewWidget;
class QPrinter;
class QToolButton;
class QMdiArea;

// "Visualizar": the program's preview of a report, a child window of the
// main window with paging, the zoom cycle, printing and the archive file.
class TFPreview : public QWidget
{
    Q_OBJECT
public:
    explicit TFPreview(std::shared_ptr<PreviewReport> report, QWidget *parent = nullptr);
    ~TFPreview() override;

    // Opens a preview of report maximised in area (standalone without one).
    static TFPreview *open(std::shared_ptr<PreviewReport> report, QMdiArea *area);

    QPrintPreviewWidget *viewer() const { return viewer_; }
    int zoomPercent() const;
    int currentPage() const;
    int pageCount() const;
    QString statusText() const;

    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    void cycleZoom();
    void print();
    void saveToArchive();
    // Every activation allows one close.
    void activated() { closeAllowed_ = true; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QToolButton *addButton(const QString &name, const QString &caption, const QString &hint, void (TFPreview::*slot)());
    void page(const std::function<void()> &move);
    void publishStatus();
    bool filterKey(QKeyEvent *event);

    std::shared_ptr<PreviewReport> report_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget *viewer_ = nullptr;
    bool closeAllowed_ = true;
    KeyHookHold hook_;
};
