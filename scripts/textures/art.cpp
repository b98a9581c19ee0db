#include "art.h"

#include "appearance/lcd_digits.h"
#include "appearance/pixel_font.h"
#include "appearance/theme.h"

#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cstdio>

namespace art {

namespace {

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

QColor mix(const QColor &a, const QColor &b, double amount)
{
    auto channel = [amount](int x, int y) { return static_cast<int>(x + (y - x) * amount + 0.5); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()),
                  channel(a.alpha(), b.alpha()));
}

}  // namespace

void paintWell(QPainter &painter, const QPainterPath &area, const Palette &palette)
{
    const QRectF bounds = area.boundingRect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(bounds.topLeft(), bounds.bottomLeft());
    fill.setColorAt(0, withAlpha(palette.rimDark, 210));
    fill.setColorAt(1, withAlpha(palette.metalBottom.darker(130), 170));
    painter.fillPath(area, fill);
    theme::strokeEdge(painter, area,
                      {{0, withAlpha(palette.rimDark, 250)},
                       {0.6, withAlpha(palette.rimDark, 120)},
                       {1, withAlpha(palette.rimLight, 160)}},
                      1);
    painter.restore();
}

void paintLcd(QPainter &painter, const QPainterPath &area, const Palette &palette)
{
    const QRectF bounds = area.boundingRect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(bounds.topLeft(), bounds.bottomLeft());
    fill.setColorAt(0, palette.lcdTop);
    fill.setColorAt(1, palette.lcdBottom);
    painter.fillPath(area, fill);
    theme::strokeEdge(painter, area,
                      {{0, QColor(0, 0, 0, 255)}, {0.7, QColor(0, 0, 0, 190)}, {1, withAlpha(palette.rimLight, 200)}},
                      1.2);
    painter.restore();
}

void paintKey(QPainter &painter, const QRectF &area, qreal radius, const Palette &palette, double glow)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = area.adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor litTop = mix(palette.keyTop, palette.accent, 0.35);
    const QColor litBottom = mix(palette.keyBottom, palette.accent, 0.2);
    QLinearGradient face(outer.topLeft(), outer.bottomLeft());
    face.setColorAt(0, mix(palette.keyTop, litTop, glow));
    face.setColorAt(0.55, mix(mix(palette.keyTop, palette.keyBottom, 0.6), litBottom, glow));
    face.setColorAt(1, mix(palette.keyBottom, litBottom, glow));
    painter.setPen(QPen(mix(palette.rimDark, palette.accent.darker(140), glow), 1));
    painter.setBrush(face);
    painter.drawRoundedRect(outer, radius, radius);
    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    QLinearGradient rim(inner.topLeft(), inner.bottomLeft());
    rim.setColorAt(0, mix(withAlpha(palette.rimLight, 210), withAlpha(palette.accentLight, 230), glow));
    rim.setColorAt(0.45, QColor(255, 255, 255, 0));
    rim.setColorAt(1, mix(QColor(0, 0, 0, 80), withAlpha(palette.accent, 150), glow));
    painter.setPen(QPen(QBrush(rim), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(inner, std::max(0.0, radius - 1), std::max(0.0, radius - 1));
    if (glow > 0) {
        QRadialGradient light(outer.center(), std::max(outer.width(), outer.height()) * 0.7);
        light.setColorAt(0, withAlpha(palette.accent, static_cast<int>(90 * glow)));
        light.setColorAt(1, withAlpha(palette.accent, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(light);
        painter.drawRoundedRect(inner, radius, radius);
    }
    painter.restore();
}

void paintGlyph(QPainter &painter, Glyph glyph, const QRectF &box, int height, const Palette &palette, double glow,
                const QColor &color)
{
    const QPainterPath path = glyphPath(glyph, box, height);
    const QColor base = color.isValid() ? color : palette.glyph;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path.translated(0, 1), withAlpha(palette.rimDark, static_cast<int>(160 * (1 - glow))));
    if (glow > 0) {
        painter.setPen(QPen(withAlpha(palette.accent, static_cast<int>(130 * glow)), 2.0, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.fillPath(path, mix(base, palette.accentLight, glow));
    painter.restore();
}

void paintGlyphKey(QPainter &painter, const QRect &rect, Glyph glyph, int height, const Palette &palette, double glow,
                   qreal radius)
{
    if (rect.isEmpty() || rect.left() >= HiddenLeft)
        return;
    paintKey(painter, rect, radius, palette, glow);
    paintGlyph(painter, glyph, QRectF(rect).adjusted(0, 0, 0, -1), height, palette, glow);
}

void paintRoundKey(QPainter &painter, const QRect &rect, Glyph glyph, int height, const Palette &palette, double glow)
{
    QPainterPath socket;
    socket.addEllipse(QRectF(rect).adjusted(-2, -2, 2, 2));
    paintWell(painter, socket, palette);
    paintGlyphKey(painter, rect, glyph, height, palette, glow, rect.width() / 2.0);
}

void paintSliderTracks(QPainter &painter, const MainLayout &layout, const Palette &palette)
{
    for (const SliderGeometry *s : {&layout.scrollerVolume, &layout.scrollerBalance, &layout.scrollerTime}) {
        QPainterPath track;
        const qreal middle = s->top + s->height / 2.0;
        track.addRoundedRect(QRectF(s->left + 1, middle - 1.5, s->length + s->width - 2, 3), 1.5, 1.5);
        paintWell(painter, track, palette);
    }
}

QImage paintCoolBar(const CoolBarLayout &c, const Palette &palette, qreal radius, const QRectF &lcd, QPoint labelAt,
                    const QString &label, double glow)
{
    QImage image(c.width, c.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(palette.rimDark);
    QPainter painter(&image);
    QPainterPath body;
    body.addRoundedRect(QRectF(0, 0, c.width, c.height), radius, radius);
    theme::paintMetal(painter, body, palette.metalTop, palette.metalBottom);
    theme::paintRaisedEdge(painter, body, palette.rimLight, palette.rimDark);
    QPainterPath glass;
    glass.addRoundedRect(lcd, 2.5, 2.5);
    paintLcd(painter, glass, palette);
    const struct {
        QRect rect;
        Glyph glyph;
        int height;
    } keys[] = {{c.previous, Glyph::Previous, 5}, {c.rewind, Glyph::Rewind, 5}, {c.play, Glyph::Play, 6},
                {c.pause, Glyph::Pause, 6},       {c.stop, Glyph::Stop, 5},     {c.forward, Glyph::Forward, 5},
                {c.next, Glyph::Next, 5},         {c.load, Glyph::Eject, 5},    {c.playlist, Glyph::List, 5},
                {c.info, Glyph::Info, 6},         {c.menu, Glyph::List, 5},     {c.minimize, Glyph::Minimize, 3},
                {c.mode, Glyph::Mode, 5},         {c.exit, Glyph::Close, 4}};
    for (const auto &key : keys)
        paintGlyphKey(painter, key.rect, key.glyph, key.height, palette, glow, 2);
    paintLabel(painter, labelAt, label, palette.label, palette.rimDark);
    return image;
}

void paintToggle(QPainter &painter, const QRect &rect, const QString &name, const Palette &palette, double glow)
{
    paintKey(painter, rect, 3, palette, glow);
    paintLabelCentred(painter, rect.center().x() + 1, rect.top() + (rect.height() - pixel_font::Height) / 2, name,
                      mix(palette.glyph, palette.accentLight, glow), palette.rimDark);
}

void paintLabel(QPainter &painter, QPoint topLeft, const QString &text, const QColor &color, const QColor &shadow)
{
    pixel_font::drawText(painter, topLeft + QPoint(0, 1), text, withAlpha(shadow, 200));
    pixel_font::drawText(painter, topLeft, text, color);
}

void paintLabelCentred(QPainter &painter, int centreX, int top, const QString &text, const QColor &color,
                       const QColor &shadow)
{
    paintLabel(painter, QPoint(centreX - pixel_font::textWidth(text) / 2, top), text, color, shadow);
}

void paintCounterGhosts(QPainter &painter, const QRect &counter, const Palette &palette)
{
    const int w = counter.width();
    for (int start : {0, 5, 11, 16}) {
        const QRectF cell(counter.left() + w * start / 20, counter.top(), w / 5, counter.height());
        paintLcdSegments(painter, cell, AllLcdSegments, withAlpha(palette.accent, 26), false);
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.accent);
    const qreal colonX = counter.left() + (w * 9 / 20 + w * 11 / 20) / 2.0 - 1;
    painter.drawRect(QRectF(colonX, counter.top() + counter.height() * 0.3, 2, 2));
    painter.drawRect(QRectF(colonX - 0.5, counter.top() + counter.height() * 0.65, 2, 2));
    painter.restore();
}

QImage digitsPicture(const QImage &cell, const Palette &palette)
{
    QImage image(cell.width() * 10, cell.height(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    for (int digit = 0; digit < 10; ++digit) {
        const QRectF box(digit * cell.width(), 0, cell.width(), cell.height());
        painter.drawImage(box.topLeft(), cell);
        paintLcdSegments(painter, box, lcdSegments(digit), palette.accentLight, true);
    }
    return image;
}

QImage statusPicture(const QImage &cell, const Palette &palette, const QColor &dotBackground)
{
    QImage image(38, 13, QImage::Format_ARGB32_Premultiplied);
    image.fill(dotBackground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const struct {
        Glyph glyph;
        int height;
        QColor color;
    } states[] = {
        {Glyph::Play, 8, palette.accentLight}, {Glyph::Stop, 6, palette.label}, {Glyph::Pause, 8, palette.accent}};
    for (int i = 0; i < 3; ++i) {
        const QRectF box(11 * i, 0, 11, 13);
        painter.drawImage(box.topLeft(), cell);
        const QPainterPath path = glyphPath(states[i].glyph, box, states[i].height);
        painter.setPen(QPen(withAlpha(states[i].color, 70), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
        painter.fillPath(path, states[i].color);
    }
    QRadialGradient dot(QPointF(35.5, 2.5), 2.8);
    dot.setColorAt(0, QColor(255, 255, 255));
    dot.setColorAt(0.5, palette.accentLight);
    dot.setColorAt(1, palette.accent);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    painter.drawEllipse(QRectF(33, 0, 5, 5));
    return image;
}

QImage knobPicture(const QImage &background, const Palette &palette, bool pressed, bool round)
{
    QImage image = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const QRectF area(0, 0, image.width(), image.height());
    if (round) {
        painter.setRenderHint(QPainter::Antialiasing);
        QRadialGradient face(area.center() - QPointF(1, 1), area.width());
        face.setColorAt(0, pressed ? palette.accentLight : palette.keyTop.lighter(170));
        face.setColorAt(0.6, pressed ? palette.accent : palette.keyTop);
        face.setColorAt(1, pressed ? palette.accent.darker(170) : palette.keyBottom);
        painter.setPen(QPen(palette.rimDark, 1));
        painter.setBrush(face);
        painter.drawEllipse(area.adjusted(0.5, 0.5, -0.5, -0.5));
        return image;
    }
    paintKey(painter, area, 2, palette, pressed ? 1.0 : 0.0);
    const int left = image.width() / 2 - 3;
    for (int i = 0; i < 3; ++i) {
        const QRect groove(left + 2 * i, 2, 1, image.height() - 4);
        painter.fillRect(groove, palette.rimDark);
        painter.fillRect(groove.translated(1, 0), pressed ? palette.accentLight : palette.rimLight);
    }
    return image;
}

QImage recoloured(const QImage &picture, int hueShift, double saturation)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QColor before = QColor::fromRgba(line[x]);
            float h = 0, s = 0, l = 0, a = 0;
            before.getHslF(&h, &s, &l, &a);
            const float hue = h < 0 ? 0 : std::fmod(h + hueShift / 360.0f + 1.0f, 1.0f);
            const QColor after =
                QColor::fromHslF(hue, std::clamp(static_cast<float>(s * saturation), 0.0f, 1.0f), l, a);
            line[x] = after.rgba();
        }
    }
    return image;
}

QImage blended(const QImage &from, const QImage &to, double amount)
{
    QImage image = from.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setOpacity(amount);
    painter.drawImage(0, 0, to);
    return image;
}

QImage stacked(const std::vector<QImage> &pictures)
{
    int width = 0, height = 0;
    for (const QImage &picture : pictures) {
        width = std::max(width, picture.width());
        height += picture.height();
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    int top = 0;
    for (const QImage &picture : pictures) {
        painter.drawImage(0, top, picture);
        top += picture.height();
    }
    return image;
}

QImage maskPicture(const QPainterPath &outline, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillPath(outline, Qt::black);
    return image;
}

static QImage playlistWithFrames(const QImage &builtin, int frames)
{
    const QImage normalBar = builtin.copy(0, 0, builtin.width(), 50);
    const QImage litBar = builtin.copy(0, 100, builtin.width(), 50);
    std::vector<QImage> parts{builtin.copy(0, 0, builtin.width(), 100)};
    for (int k = 1; k <= frames; ++k)
        parts.push_back(blended(normalBar, litBar, static_cast<double>(k) / frames));
    return stacked(parts);
}

void drawPictures(TextureArt &texture, const Palette &palette, const Drawing &drawing, const TextureSet &builtin)
{
    const MainLayout &m = texture.layout.main;
    const QImage main = drawing.main(0);
    auto &pictures = texture.pictures;
    pictures["main.bmp"] = main;
    std::vector<QImage> frames;
    for (double glow : drawing.hoverGlows)
        frames.push_back(drawing.main(glow));
    pictures["selected.bmp"] = stacked(frames);
    pictures["mainmask.bmp"] = maskPicture(drawing.outline, QSize(m.width, m.height));
    pictures["CPMain.bmp"] = drawing.coolBar(0);
    pictures["CPSelected.bmp"] = drawing.coolBar(1);

    const QRect firstCell(m.counter.left(), m.counter.top(), m.counter.width() / 5, m.counter.height());
    pictures["Numbers.bmp"] = digitsPicture(main.copy(firstCell), palette);
    pictures["Status.bmp"] = statusPicture(main.copy(QRect(m.action, QSize(11, 13))), palette, palette.lcdBottom);
    const QRect time = m.scrollerTime.knobAtStart(), volume = m.scrollerVolume.knobAtStart();
    pictures["Scrollup.bmp"] = knobPicture(main.copy(time), palette, false, false);
    pictures["ScrollDown.bmp"] = knobPicture(main.copy(time), palette, true, false);
    pictures["volup.bmp"] = knobPicture(main.copy(volume), palette, false, true);
    pictures["volDown.bmp"] = knobPicture(main.copy(volume), palette, true, true);

    const TexturePictures &b = builtin.pictures;
    const QImage playlist = recoloured(b.playlist, drawing.hueShift, drawing.saturation);
    pictures["playlist.bmp"] = playlistWithFrames(playlist, static_cast<int>(drawing.hoverGlows.size()));
    pictures["eqmain.bmp"] = recoloured(b.equalizer, drawing.hueShift, drawing.saturation);
    pictures["browser.bmp"] = recoloured(b.browser, drawing.hueShift, drawing.saturation);
    pictures["recorder.bmp"] = recoloured(b.recorder, drawing.hueShift, drawing.saturation);
}

bool writeTexture(const TextureArt &texture, const QString &folder)
{
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder));
        return false;
    }
    QFile ini(folder + "/Texture.ini");
    if (!texture.description.isEmpty() &&
        (!ini.open(QIODevice::WriteOnly) || ini.write(texture.description) != texture.description.size())) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(ini.fileName()));
        return false;
    }
    for (const auto &[name, picture] : texture.pictures) {
        const QString path = folder + '/' + name;
        if (!picture.convertToFormat(QImage::Format_RGB32).save(path, "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
    }
    return true;
}

}  // namespace art
