#include "app/Background.h"

#include "framework/UniKernix.h"
#include "storage/Table.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace {

QColor colourOr(const QString &text, const QColor &fallback)
{
    if (text.trimmed().isEmpty())
        return fallback;
    const QColor colour = Kernix::StrToColor(text);
    return colour.isValid() ? colour : fallback;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QImage gradient(const QColor &from, const QColor &to, const QString &style, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    const QString s = style.trimmed();
    if (s == QLatin1String("Quadrado")) {
        // Concentric rectangles from the centre outwards, in even steps.
        const int steps = 128;
        for (int i = steps; i >= 0; --i) {
            const double t = double(i) / steps;
            const QSizeF half(r.width() / 2 * t, r.height() / 2 * t);
            p.fillRect(QRectF(r.center() - QPointF(half.width(), half.height()), half * 2), mix(from, to, t));
        }
        return image;
    }
    if (s == QLatin1String("Elipse")) {
        p.fillRect(r, to);
        QRadialGradient g(r.center(), 0.5);
        g.setCoordinateMode(QGradient::ObjectMode);
        g.setCenter(0.5, 0.5);
        g.setFocalPoint(0.5, 0.5);
        g.setRadius(0.71);
        g.setColorAt(0, from);
        g.setColorAt(1, to);
        p.fillRect(r, g);
        return image;
    }
    QPointF start = r.topLeft(), end = r.bottomLeft();
    if (s == QLatin1String("Horizontal"))
        end = r.topRight();
    else if (s == QLatin1String("Superior Esquerdo"))
        end = r.bottomRight();
    else if (s == QLatin1String("Superior Direito"))
        start = r.topRight(), end = r.bottomLeft();
    else if (s == QLatin1String("Inferior Esquerdo"))
        start = r.bottomLeft(), end = r.topRight();
    else if (s == QLatin1String("Inferior Direito"))
        start = r.bottomRight(), end = r.topLeft();
    QLinearGradient g(start, end);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.fillRect(r, g);
    return image;
}

QImage picture(const QImage &source, const QString &mode, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QString m = mode.trimmed();
    if (m == QLatin1String("Ampliado"))
        p.drawImage(QRect(QPoint(0, 0), size), source);
    else if (m == QLatin1String("Nenhum"))
        p.drawImage(0, 0, source);
    else if (m == QLatin1String("Centralizado"))
        p.drawImage((size.width() - source.width()) / 2, (size.height() - source.height()) / 2, source);
    return image;
}

} // namespace

Background::Look Background::Look::fromOperator(const Table &t)
{
    const auto f = [&](const char *name) { return t.asString(QString::fromLatin1(name)); };
    return Look{f("tpf_opr"), f("csl_opr"), f("esl_opr"), f("cid_opr"), f("cfd_opr"), f("esd_opr"), f("ima_opr"), f("eim_opr")};
}

Qt::BrushStyle Background::solidPattern(const QString &esl)
{
    const QString s = esl.trimmed();
    if (s == QLatin1String("Transparente"))
        return Qt::NoBrush;
    if (s == QLatin1String("Horizontal"))
        return Qt::HorPattern;
    if (s == QLatin1String("Vertical"))
        return Qt::VerPattern;
    if (s == QLatin1String("Diagonal Esquerda"))
        return Qt::FDiagPattern;
    if (s == QLatin1String("Diagonal Direita"))
        return Qt::BDiagPattern;
    if (s == QLatin1String("Cruz"))
        return Qt::CrossPattern;
    if (s == QLatin1String("Cruz Diagonal"))
        return Qt::DiagCrossPattern;
    return Qt::SolidPattern;
}

QBrush Background::brush(const Look &look, const QSize &size)
{
    const QString kind = look.tpf.trimmed();
    if (size.isEmpty())
        return Qt::NoBrush;
    if (kind == QStringLiteral("Cor sólida")) {
        const Qt::BrushStyle pattern = solidPattern(look.esl);
        if (pattern == Qt::NoBrush)
            return Qt::NoBrush;
        const QColor colour = colourOr(look.csl, QColor(0, 0, 255));
        if (pattern == Qt::SolidPattern)
            return QBrush(colour);
        // A hatch leaves gaps; they show the window colour, not what was there.
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.fillRect(image.rect(), QBrush(colour, pattern));
        return QBrush(image);
    }
    if (kind == QStringLiteral("Degradê"))
        return QBrush(gradient(colourOr(look.cid, QColor(0, 0, 255)), colourOr(look.cfd, Qt::black), look.esd, size));
    if (kind == QLatin1String("Imagem") && QFileInfo(look.ima).isFile()) {
        const QImage source(look.ima);
        if (source.isNull())
            return Qt::NoBrush;
        const QString mode = look.eim.trimmed();
        if (mode.isEmpty() || mode == QLatin1String("Lado a Lado"))
            return QBrush(source);
        return QBrush(picture(source, mode, size));
    }
    return Qt::NoBrush;
}
