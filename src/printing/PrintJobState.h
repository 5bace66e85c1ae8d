#pragma once

#include <QFile>
#include <QIODevice>
#include <QString>

#include <memory>

class TPrintFast;

// The one job the engine holds at a time, whichever instance opened it:
// where its bytes go and where the page stands.
struct PrintJobState
{
    enum Mode { Print, Preview, SaveToFile };

    static PrintJobState &instance();

    bool open = false;
    Mode mode = Print;
    TPrintFast *owner = nullptr;

    int lineCount = 0;
    int pageNumber = 1;
    int column = 0;          // printer text and plain copy advance together
    bool firstPage = true;
    bool headerPrinted = false;

    QString port;
    QString address;
    QString outputName;      // the printer output's file (preview, save, spool)
    QString plainName;
    QString logName;

    QIODevice *output = nullptr;
    std::unique_ptr<QIODevice> ownedOutput;
    QFile log;
    QFile plain;
    bool logAtLineStart = true;

    // Closes every file of the job without delivering it.
    void abandon();
};
