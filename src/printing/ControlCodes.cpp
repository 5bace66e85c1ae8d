#include "printing/ControlCodes.h"

namespace {

const QByteArray ESC("\x1b");
const QByteArray SI("\x0f");
const QByteArray DC2("\x12");
const QByteArray RS("\x1e");
const QByteArray NUL(1, '\0');

QByteArray esc(const char *text) { return ESC + text; }
QByteArray rs(const char *text) { return RS + text; }
QByteArray escByte(const char *lead, char value, const char *tail) { return ESC + lead + QByteArray(1, value) + tail; }

// Compr175On, Compr175Off, Compr20On, Compr20Off, Elite12On, Elite12Off.
struct Pitch
{
    QByteArray c175On, c175Off, c20On, c20Off, e12On, e12Off;
};

Pitch pitchOf(TPrinterName model)
{
    const Pitch ibm{SI, DC2, rs("5"), rs("0"), rs("2"), rs("0")};
    const Pitch epson{SI, DC2, esc("M") + SI, esc("P") + DC2, esc("M") + DC2, esc("P") + DC2};
    const Pitch stylus{SI, DC2, esc("M") + SI, esc("P"), esc("M"), esc("P")};
    const Pitch pcl20{esc("(s16.67H"), esc("(s10H"), esc("(s20H"), esc("(s10H"), esc("(s12H"), esc("(s10H")};
    const Pitch pcl17{esc("(s17H"), esc("(s10H"), esc("(s20H"), esc("(s10H"), esc("(s12H"), esc("(s10H")};
    auto same = [](const QByteArray &on, const QByteArray &off) { return Pitch{on, off, on, off, on, off}; };
    switch (model) {
    case pfPadraoIBM:
    case pfRima:
    case pfEmiliaPS:
        return ibm;
    case pfDeskjet500:
        return {esc("(s16.67H"), esc("(s10H"), esc("(s16.67H"), esc("(s10H"), esc("(s12H"), esc("(s10H")};
    case pfDeskjet600:
    case pfLexmarkZ11:
    case pfLaserJet1100:
        return pcl20;
    case pfEpson9pinos:
    case pfEpson24pinos:
        return epson;
    case pfEpsonStylusC2:
    case pfCanonBJC4000:
        return stylus;
    case pfXerox3006:
        return {QByteArray(), esc("(s10H"), esc("(s20H"), esc("(s10H"), esc("(s10H"), esc("(s10H")};
    case pfXeroxDC220230:
        return {esc("&k2S"), esc("&k0S"), esc("&k2S"), esc("&k0S"), esc("&k4S"), esc("&k0S")};
    case pfOlivia:
        return {rs("5") + esc("M"), esc("@"), rs("5"), esc("@"), rs("5") + esc("M"), esc("@")};
    case pfOlivetti:
        return {esc("P") + SI, esc("P") + DC2, esc("M") + SI, esc("P") + DC2, esc("M") + DC2, esc("P") + DC2};
    case pfLadyII:
        return {esc("[6w"), esc("[4w"), esc("[7w"), esc("[4w"), esc("[6w"), esc("[4w")};
    case pfLaserJet5L:
        // The printer takes a NUL as "back to normal"; an empty string
        // would leave it condensed.
        return same(esc("&k2S"), NUL);
    case pfDeskJet692C:
        return same(esc("(s17H"), esc("(s10H"));
    case pfDeskJet680C:
        return same(esc("(s20H"), esc("(s10H"));
    case pfDeskJet560C:
        return same(esc("(s10H"), esc("(s10H"));
    case pfDeskJet590:
        return same(escByte("(s", 0x14, "H"), escByte("(s", 0x0A, "H"));
    case pfDeskJet500C:
        return same(escByte("(s", 0x11, "H"), escByte("(s", 0x0A, "H"));
    case pfFujtsu:
        return same(ESC + SI, DC2);
    case pfEmiliaPC:
        return {rs("4"), rs("0"), rs("5"), rs("0"), rs("."), rs("0")};
    case pfAmelia250:
        return same(ESC + "[" + QByteArray("\x05\x14", 2) + "w", ESC + "[" + QByteArray("\x01\x0a", 2) + "w");
    case pfAmeliaPC:
        return same(esc("[7w"), esc("[4w"));
    case pfLazerJet1200:
    case pfLexmark1106:
        return pcl17;
    case pfNenhuma:
        break;
    }
    return {};
}

bool isPclBoldFamily(TPrinterName model)
{
    return model == pfDeskjet500 || model == pfDeskjet600 || model == pfLexmarkZ11 || model == pfLaserJet1100;
}

struct MarkerName
{
    ControlCodes::Slot slot;
    const char *marker;
};

const MarkerName markers[] = {
    {ControlCodes::Lpi8OnSlot, "@p8linpol"},      {ControlCodes::Lpi8OffSlot, "@t8linpol"},
    {ControlCodes::Compr175OnSlot, "@pcompr175"}, {ControlCodes::Compr175OffSlot, "@tcompr175"},
    {ControlCodes::Compr20OnSlot, "@pcompr20"},   {ControlCodes::Compr20OffSlot, "@tcompr20"},
    {ControlCodes::Elite12OnSlot, "@pelite12"},   {ControlCodes::Elite12OffSlot, "@telite12"},
    {ControlCodes::BoldOnSlot, "@pnegrito"},      {ControlCodes::BoldOffSlot, "@tnegrito"},
    {ControlCodes::ExpandOnSlot, "@pexpand"},     {ControlCodes::ExpandOffSlot, "@texpand"},
    {ControlCodes::PageLengthSlot, "@plinpage"},
};

} // namespace

ControlCodes ControlCodes::forModel(TPrinterName model, const QString &pulodelinha)
{
    ControlCodes codes;
    const Pitch pitch = pitchOf(model);
    codes.Compr175On = pitch.c175On;
    codes.Compr175Off = pitch.c175Off;
    codes.Compr20On = pitch.c20On;
    codes.Compr20Off = pitch.c20Off;
    codes.Elite12On = pitch.e12On;
    codes.Elite12Off = pitch.e12Off;

    if (model == pfRima || model == pfEmiliaPS || model == pfEmiliaPC) {
        codes.BoldOn = esc("g");
        codes.BoldOff = esc("h");
    } else if (isPclBoldFamily(model)) {
        codes.BoldOn = esc("(s3B");
        codes.BoldOff = esc("(s-3B");
    } else if (model == pfLazerJet1200) {
        codes.BoldOn = esc("(s3B");
        codes.BoldOff = esc("(s0B");
    } else if (model != pfNenhuma) {
        codes.BoldOn = esc("E");
        codes.BoldOff = esc("F");
    }

    if (isPclBoldFamily(model)) {
        codes.ExpandOn = esc("(s3B");
        codes.ExpandOff = esc("(s-3B");
    } else if (model != pfLazerJet1200 && model != pfLexmark1106 && model != pfNenhuma) {
        codes.ExpandOn = esc("W") + '\x01';
        codes.ExpandOff = esc("W") + NUL;
    }

    if (isPclBoldFamily(model)) {
        codes.Lpi8On = esc("(s1P");
        codes.Lpi8Off = esc("(s0P");
    } else if (pulodelinha == QLatin1String("1/6")) {
        codes.Lpi8On = esc("0");
        codes.Lpi8Off = esc("2");
    } else {
        codes.Lpi8On = esc("2");
        codes.Lpi8Off = esc("0");
    }

    codes.FormFeed = QByteArray("\x0c");
    codes.PageLength = esc("C");
    return codes;
}

const QByteArray &ControlCodes::slot(Slot which) const
{
    static const QByteArray none;
    switch (which) {
    case Lpi8OnSlot: return Lpi8On;
    case Lpi8OffSlot: return Lpi8Off;
    case Compr175OnSlot: return Compr175On;
    case Compr175OffSlot: return Compr175Off;
    case Compr20OnSlot: return Compr20On;
    case Compr20OffSlot: return Compr20Off;
    case Elite12OnSlot: return Elite12On;
    case Elite12OffSlot: return Elite12Off;
    case BoldOnSlot: return BoldOn;
    case BoldOffSlot: return BoldOff;
    case ExpandOnSlot: return ExpandOn;
    case ExpandOffSlot: return ExpandOff;
    case FormFeedSlot: return FormFeed;
    case PageLengthSlot: return PageLength;
    case SlotCount: break;
    }
    return none;
}

QString ControlCodes::marker(Slot which)
{
    for (const MarkerName &entry : markers)
        if (entry.slot == which)
            return QString::fromLatin1(entry.marker);
    return {};
}

bool ControlCodes::slotForMarker(const QString &line, Slot *which)
{
    for (const MarkerName &entry : markers)
        if (line == QLatin1String(entry.marker)) {
            *which = entry.slot;
            return true;
        }
    return false;
}

QString ControlCodes::markerFor(const QByteArray &code) const
{
    static const Slot order[] = {Compr175OnSlot, Compr20OnSlot, Compr175OffSlot, Compr20OffSlot,
                                 Elite12OnSlot, Elite12OffSlot, BoldOnSlot, BoldOffSlot,
                                 ExpandOnSlot, ExpandOffSlot, Lpi8OnSlot, Lpi8OffSlot, PageLengthSlot};
    for (Slot candidate : order)
        if (slot(candidate) == code)
            return marker(candidate);
    return {};
}
