#pragma once

#include "framework/KeyHook.h"

#include <QWidget>

class QCalendarWidget;
class QPushButton;

// "Calendário": a read-only month calendar, child window of the main window.
class TForPer : public QWidget
{
    Q_OBJECT
public:
    explicit TForPer(QWidget *parent = nullptr);
    ~TForPer() override;

    QCalendarWidget *Calendario;
    QPushButton *BtSair;

    int month() const;
    int year() const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormActivate();
    bool filterKey(QKeyEvent *event);

    KeyHookHold hook_;
};
