#include "access/UniPer.h"

#include "framework/Clock.h"
#include "framework/MdiChild.h"
#include "framework/Theme.h"
#include "framework/UniTabPadroes.h"
#include "framework/WorkingCompany.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

TForPer::TForPer(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ForPer"));
    setWindowTitle(QStringLiteral("Calendário"));
    auto *layout = new QVBoxLayout(this);
    Calendario = new QCalendarWidget(this);
    Calendario->setObjectName(QStringLiteral("Calendario"));
    Calendario->setGridVisible(true);
    Calendario->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    const QDate today = Clocks::current().today();
    Calendario->setSelectedDate(today);
    Calendario->setCurrentPage(today.year(), today.month());
    layout->addWidget(Calendario);
    BtSair = new QPushButton(QStringLiteral("&Sair"), this);
    BtSair->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(BtSair);
    layout->addLayout(row);
    connect(BtSair, &QPushButton::clicked, this, [this] { MdiChild::close(this); });
    // Nothing is picked in this calendar: a click would change the day shown
    // against today's mark, so the days only display.
    connect(Calendario, &QCalendarWidget::clicked, this, [this] { Calendario->setSelectedDate(Clocks::current().today()); });
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

TForPer::~TForPer()
{
    hook_.release();
    if (TTabPadroes *global = TTabPadroes::instance())
        global->TbOpr.refresh();
}

int TForPer::month() const { return Calendario->monthShown(); }
int TForPer::year() const { return Calendario->yearShown(); }

void TForPer::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormActivate();
}

void TForPer::FormActivate()
{
    hook_.install([this](QKeyEvent *key) { return filterKey(key); });
    if (WorkingCompany::LocateSessionOperator()) {
        const QIcon icon = Theme::windowIcon(QStringLiteral("ForPer"));
        if (!icon.isNull())
            setWindowIcon(icon);
    }
    setWindowTitle(QStringLiteral("Calendário"));
}

bool TForPer::filterKey(QKeyEvent *event)
{
    if (!isVisible())
        return false;
    if (event->key() == Qt::Key_Tab) {
        KeyHook::sendEnter();
        return true;
    }
    if (event->key() == Qt::Key_Escape && QApplication::activeWindow()
        && !QApplication::activeWindow()->objectName().isEmpty()) {
        BtSair->click();
        return true;
    }
    return false;
}

bool TForPer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
        Calendario->showNextMonth();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Left:
        Calendario->showPreviousMonth();
        return true;
    case Qt::Key_PageDown:
        Calendario->showNextYear();
        return true;
    case Qt::Key_PageUp:
        Calendario->showPreviousYear();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
