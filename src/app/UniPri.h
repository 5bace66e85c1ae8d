#pragma once

#include "framework/KeyHook.h"
#include "framework/ProgressText.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;

// The main window: a frame of child windows with the menu, the tool bar,
// the operator's background and the status bar. Closed only through the
// exit window.
class TForPri : public QMainWindow, public ProgressTarget
{
    Q_OBJECT
public:
    // Makes a child window for a menu entry or tool button; entries without
    // a factory stay disabled.
    using Factory = std::function<QWidget *()>;

    TForPri();
    ~TForPri() override;

    static TForPri *instance();
    // The next activation runs the personal set-up again (appearance window).
    static void setPersonalSetupPending(bool pending = true);

    // A child window for entry ("CadMen", "Cld_Arq", ...) and the tool
    // buttons that act as it. A window class opened through several entries
    // is found again by its object name.
    void registerWindow(const QString &entry, const Factory &factory);
    bool windowAvailable(const QString &entry) const { return factories_.contains(entry); }

    QAction *action(const QString &name) const { return actions_.value(name); }
    QToolButton *button(const QString &name) const;
    QMdiArea *area() const { return mdi_; }
    QToolBar *toolBar() const { return BarraBotoes; }
    QLabel *panel(int index) const { return panels_[index]; }

    void showProgress(const QString &text) override;

    // Activation: watcher, status panels, caption, background and, once per
    // session, the operator's set-up.
    void FormActivate();
    void applyBackground();
    void applyToolBar();
    void updateCompanyCommands();
    // The company level check after login (most commands disabled when the
    // operator's level does not reach the working company's).
    void applyCompanyLevel();
    void installKeyFilter();
    void setPasswordLevelsEnabled();

    // Lent to outside code whose windows must run without the main window's
    // key handling.
    void detachHooks();
    void attachHooks();

    // The exit window's letter of the last close request ("N" when none).
    QString exitChoice() const { return exitChoice_; }

    QToolBar *BarraBotoes;
    QMdiArea *mdi_;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        QString module;          // module right checked first, position 4
        bool backupCheck = false;
        bool companyDependent = false;
        int tag = 0;
    };

    void buildMenu();
    void buildToolBar();
    QAction *addEntry(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &key, const Entry &entry);
    void openEntry(const QString &name);
    void openChild(const QString &entry);
    QMdiSubWindow *findChildFrame(const QString &objectName) const;
    void updateWatcher();
    bool mainKeyFilter(QKeyEvent *event);
    bool writeOperator(const QString &field, const QString &value, const QString &notFound);
    void setToolBarPosition(const QString &bot);
    void toolBarMenu(const QPoint &pos);
    void toggleToolBar(bool checked);
    void togglePhrase(bool checked);
    void arrangeIcons();
    void closeAllChildren();
    void playThemeSound(const QString &key);
    void showAbout();
    void showPhrase();
    QIcon builtInImage(int index) const;

    QHash<QString, QAction *> actions_;
    QHash<QString, Entry> entries_;
    QHash<QString, Factory> factories_;
    QHash<QString, QString> windowNames_; // entry -> object name of its window
    QHash<QString, QString> buttonEntry_; // tool button -> menu entry it acts as
    QList<QToolButton *> buttons_;
    QLabel *panels_[3];
    QString exitChoice_ = QStringLiteral("N");
    bool exitAccepted_ = false;
    bool activating_ = false;
    bool watching_ = false;
    bool levelRestricted_ = false;
    Qt::ToolBarArea barArea_ = Qt::TopToolBarArea;
    ProgressTarget *previousProgress_;
};
