#pragma once

#include "printing/PrinterModels.h"

#include <QByteArray>
#include <QString>

// The fourteen control sequences a job loads for its printer model, and the
// marker line each one leaves in the command log.
struct ControlCodes
{
    enum Slot {
        Lpi8OnSlot, Lpi8OffSlot, Compr175OnSlot, Compr175OffSlot, Compr20OnSlot, Compr20OffSlot,
        Elite12OnSlot, Elite12OffSlot, BoldOnSlot, BoldOffSlot, ExpandOnSlot, ExpandOffSlot,
        FormFeedSlot, PageLengthSlot, SlotCount
    };

    QByteArray Lpi8On, Lpi8Off;
    QByteArray Compr175On, Compr175Off;
    QByteArray Compr20On, Compr20Off;
    QByteArray Elite12On, Elite12Off;
    QByteArray BoldOn, BoldOff;
    QByteArray ExpandOn, ExpandOff;
    QByteArray FormFeed, PageLength;

    // pulodelinha is the normal line spacing; anything but "1/6" swaps the
    // two line-spacing sequences of the models that switch with ESC 0 / ESC 2.
    static ControlCodes forModel(TPrinterName model, const QString &pulodelinha);

    const QByteArray &slot(Slot which) const;
    // The marker of a slot ("@pcompr20"); FormFeed has none of its own
    // (Eject writes "@Ejetar").
    static QString marker(Slot which);
    // The slot a marker line names; false for any other line.
    static bool slotForMarker(const QString &line, Slot *which);
    // The marker SendCode logs for code: the first slot equal to it, in the
    // order the log has always been matched; empty when none is equal.
    QString markerFor(const QByteArray &code) const;
};
