#pragma once

#include "framework/KeyHook.h"

#include <QHash>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QTabWidget;
class QVBoxLayout;
class RegisterGrid;

// What every register shares: the modes, the "Tabela" page with its grid and
// the "Ficha" page for the boxes, the column of action buttons, and the
// keyboard scheme (Tab acts as Enter, Enter moves to the next box and Up to
// the previous one, Page Down presses "&Ok", Esc presses the exit button).
// The window itself keeps its own steps; this only spares it the plumbing.
class RegisterWindow : public QWidget
{
    Q_OBJECT
public:
    enum class Mode { Browse, Insert, Change, Delete };

    RegisterWindow(const QString &objectName, const QString &caption, QWidget *parent = nullptr);
    ~RegisterWindow() override;

    Mode mode() const { return mode_; }
    QTabWidget *pages() const { return pages_; }
    QWidget *tablePage() const { return tablePage_; }
    QWidget *fichaPage() const { return fichaPage_; }
    RegisterGrid *grid() const { return grid_; }
    QPushButton *button(const QString &name) const;

    // The scheme's answer to a key pressed while the focus is in this
    // window; true when the key was used.
    bool handleKey(QKeyEvent *event);

protected:
    void setMode(Mode mode) { mode_ = mode; }

    // A button of the right-hand column; while its action runs it shows
    // pressed and a second press is ignored.
    QPushButton *addButton(const QString &name, const QString &caption, const std::function<void()> &action);
    void addButtonSpacing();
    void setOkButton(QPushButton *button) { ok_ = button; }
    void setExitButton(QPushButton *button) { exit_ = button; }
    QWidget *headerArea() const { return header_; }

    // A check that runs when box is left with Enter or Tab; false keeps the
    // focus in the box.
    void setLeaveCheck(QWidget *box, const std::function<bool()> &check) { leaveChecks_[box] = check; }

    // Whether the "Ficha" page may be left now (runs while inserting or
    // changing only).
    virtual bool canLeaveFicha() { return true; }

    void showTable();
    void showFicha();

    // The generic locate window on the grid's current column.
    void locateInGrid();

private:
    void focusNext(QWidget *from, bool forward);
    void watchFocus(QWidget *now);

    Mode mode_ = Mode::Browse;
    QWidget *header_ = nullptr;
    QTabWidget *pages_ = nullptr;
    QWidget *tablePage_ = nullptr;
    QWidget *fichaPage_ = nullptr;
    RegisterGrid *grid_ = nullptr;
    QVBoxLayout *buttons_ = nullptr;
    QPointer<QPushButton> ok_;
    QPointer<QPushButton> exit_;
    QHash<QWidget *, std::function<bool()>> leaveChecks_;
    int shownPage_ = 0;
    bool switchingPage_ = false;
    KeyHookHold hook_;
};
