#pragma once

#include "app/ProgramEntry.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TempInstallation.h"

#include <QApplication>
#include <QTimer>
#include <QVariantMap>

#include <functional>
#include <memory>

// A new installation with its configuration, the scripted message service
// and a clock that stands still: what a start of the program needs.
class AppFixture
{
public:
    AppFixture();
    ~AppFixture();

    TempInstallation inst;
    ScriptedMessages messages;
    FixedClock clock;

    QString markerPath() const { return inst.exeDir() + QStringLiteral("Temp/RX.log"); }
    QString readMarker() const;

    // Direct writes to the global tables, before or beside the program.
    void setOperatorFields(const QString &name, const QVariantMap &fields) const;
    void addOperator(int code, const QString &name, const QString &password, int level) const;
    void addCompany(int code, const QString &name, int level = 9) const;
    void addLevel(int level, const QString &module, const QString &rights) const;
    bool presenceExists(int operatorCode) const;

    // Starts the program up to its message loop.
    std::unique_ptr<ProgramEntry> start(const QStringList &arguments = {});
    // Started and logged in as MASTER; the main window shows.
    std::unique_ptr<ProgramEntry> loggedIn(const QStringList &arguments = {});
    // Types into the opening window and presses "&Ok".
    static void login(ProgramEntry &entry, const QString &name, const QString &password);
};

// Acts on the next modal window of class T once it shows (polling, so the
// action runs inside the window's own loop). The driver records whether it
// ever saw one.
class ModalDriver : public QObject
{
public:
    template <class T>
    static std::unique_ptr<ModalDriver> when(std::function<void(T *)> action)
    {
        std::unique_ptr<ModalDriver> driver(new ModalDriver);
        driver->match_ = [action](QWidget *w) {
            if (T *typed = qobject_cast<T *>(w)) {
                action(typed);
                return true;
            }
            return false;
        };
        driver->timer_.start(10);
        return driver;
    }
    bool seen() const { return seen_; }
    ~ModalDriver() override = default;

private:
    ModalDriver();
    std::function<bool(QWidget *)> match_;
    QTimer timer_;
    bool seen_ = false;
    int ticks_ = 0;
};
