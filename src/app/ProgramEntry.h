#pragma once

#include "access/UniDireito.h"
#include "app/UniApr.h"
#include "framework/Installation.h"
#include "framework/SelectionList.h"
#include "framework/UniLocaliza.h"

#include <QPointer>
#include <QStringList>

#include <memory>

class TForPri;
class TTabPadroes;

// The program's start in its order: configuration, the hidden main window,
// the session marker (with the unclean-shutdown dialog), the opening window,
// the global data and the login panel. What remains is the message loop.
class ProgramEntry
{
public:
    // arguments: the command line without the program's name.
    ProgramEntry(const QString &executablePath, const QStringList &arguments);
    ~ProgramEntry();
    ProgramEntry(const ProgramEntry &) = delete;
    ProgramEntry &operator=(const ProgramEntry &) = delete;

    // false: the program ends now, with exitCode().
    bool start();
    int exitCode() const;

    Installation &installation() { return installation_; }
    TForPri *mainWindow() const { return main_.get(); }
    TForApr *openingWindow() const { return opening_; }

private:
    void registerWindows();

    QStringList arguments_;
    Installation installation_;
    std::unique_ptr<TForPri> main_;
    QPointer<TForApr> opening_;
    std::unique_ptr<TTabPadroes> global_;
    DireitoOverride override_;
    SupervisorOverride *previousOverride_ = nullptr;
    // The registers' locate window and selection list, for the whole run.
    LocalizaService locate_;
    ScopedSeam<LocateWindow> locateSeam_{locate_};
    SelectionListService selection_;
    ScopedSeam<SelectionDialog> selectionSeam_{selection_};
};
