#pragma once

#include <QString>

// The save dialog of the preview and of the save-to-file mode. The program
// installs an adapter to its own file dialogs; without one nothing is chosen.
class PrintFileDialogs
{
public:
    struct SaveRequest
    {
        QString filter;        // "Caption|*.ext|Caption|*.ext"
        int selectedFilter = 0; // zero-based
        QString defaultSuffix; // without the dot
        QString directory;
        QString proposedName;
    };

    virtual ~PrintFileDialogs() = default;
    // The chosen file, or empty when the user cancelled.
    virtual QString saveFileName(const SaveRequest &request) = 0;

    static PrintFileDialogs &current();
    static PrintFileDialogs *install(PrintFileDialogs *dialogs);
};
