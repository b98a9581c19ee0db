#include "appearance/texture_description.h"

#include "platform/profile_file.h"
#include "platform/text_decoding.h"

#include <QStringList>

#include <algorithm>
#include <optional>

namespace {

// Far beyond any window, and far from overflowing what is computed from it.
int sane(int value)
{
    return std::clamp(value, -100000, 100000);
}

int saneFontSize(int points)
{
    return std::clamp(points, 0, 200);
}

// Reads keys in a fixed order; after an error every later read keeps the
// value it was given.
class IniReader {
public:
    explicit IniReader(const QByteArray &bytes) : file_(platform::ProfileFile::parse(bytes)) {}

    void section(const QString &name) { section_ = name; }

    void string(const QString &key, QString &target) const
    {
        if (!stopped_)
            target = value(key).value_or(QString());
    }

    // An absent or unreadable number gives the fallback.
    void integer(const QString &key, int &target, int fallback) const
    {
        if (stopped_)
            return;
        const std::optional<QString> text = value(key);
        const std::optional<int> number = text ? parseTextureInteger(*text) : std::nullopt;
        target = sane(number.value_or(fallback));
    }

    // "0" is false, any other number true, anything else true.
    void boolean(const QString &key, bool &target) const
    {
        int number = 1;
        integer(key, number, 1);
        if (!stopped_)
            target = number != 0;
    }

    // An empty face keeps the present one.
    void font(const QString &key, QString &target) const
    {
        const std::optional<QString> text = value(key);
        if (!stopped_ && text && !text->isEmpty())
            target = *text;
    }

    void color(const QString &key, TextureColor &target, TextureColor fallback)
    {
        if (stopped_)
            return;
        const std::optional<QString> text = value(key);
        if (!text) {
            target = fallback;
        } else if (const std::optional<TextureColor> color = parseTextureColor(*text)) {
            target = *color;
        } else {
            stopped_ = true;
        }
    }

    void text(const QString &name, TextElement &element)
    {
        font(name + "_Font", element.font);
        boolean(name + "_Bold", element.bold);
        integer(name + "_Size", element.size, 0);
        element.size = saneFontSize(element.size);
        color(name + "_Color", element.color, 0x00D0D0D0);
        integer(name + "_Left", element.left, 0);
        integer(name + "_Top", element.top, 0);
    }

    void rect(const QString &name, QRect &target, const QRect &fallback = {0, 0, 0, 0}, int widthFactor = 1)
    {
        int left = 0, top = 0, width = 0, height = 0;
        integer(name + "_Left", left, fallback.left());
        integer(name + "_Top", top, fallback.top());
        integer(name + "_Width", width, fallback.width());
        integer(name + "_Height", height, fallback.height());
        if (!stopped_)
            target = QRect(left, top, width * widthFactor, height);
    }

    // A knob travels forward only.
    void slider(const QString &name, SliderGeometry &slider)
    {
        integer(name + "_Left", slider.left, 0);
        integer(name + "_Top", slider.top, 0);
        integer(name + "_Width", slider.width, 0);
        integer(name + "_Height", slider.height, 0);
        integer(name + "_Length", slider.length, 0);
        slider.length = std::max(0, slider.length);
    }

    void point(const QString &name, QPoint &target)
    {
        int left = 0, top = 0;
        integer(name + "_Left", left, 0);
        integer(name + "_Top", top, 0);
        if (!stopped_)
            target = QPoint(left, top);
    }

private:
    std::optional<QString> value(const QString &key) const
    {
        if (!file_.contains(section_, key))
            return std::nullopt;
        return file_.readString(section_, key, {}).trimmed();
    }

    platform::ProfileFile file_;
    QString section_;
    bool stopped_ = false;
};

void readMain(IniReader &r, MainLayout &m)
{
    r.section(QStringLiteral("main"));
    r.text(QStringLiteral("FileName"), m.fileName);
    r.integer(QStringLiteral("FileName_Width"), m.fileNameWidth, 0);
    r.integer(QStringLiteral("FileName_Height"), m.fileNameHeight, 0);
    r.text(QStringLiteral("MonoStereo"), m.monoStereo);
    r.text(QStringLiteral("FileLength"), m.fileLength);
    r.text(QStringLiteral("FilePos"), m.filePos);

    const std::pair<const char *, QRect *> buttons[] = {
        {"ButtonPlay", &m.play},           {"ButtonStop", &m.stop},
        {"ButtonPause", &m.pause},         {"ButtonPrev", &m.previous},
        {"ButtonREW", &m.rewind},          {"ButtonFFW", &m.forward},
        {"ButtonNext", &m.next},           {"ButtonLoad", &m.load},
        {"ButtonPlaylist", &m.playlist},   {"ButtonMinimize", &m.minimize},
        {"ButtonInfo", &m.info},           {"ButtonMenu", &m.menu},
        {"ButtonMode", &m.mode},           {"ButtonExit", &m.exit},
        {"ButtonEqualizer", &m.equalizer}, {"ButtonCD", &m.cd},
        {"ButtonAudio", &m.audio},         {"ButtonPrefs", &m.prefs},
        {"ButtonRepeat", &m.repeat},       {"ButtonShuffle", &m.shuffle},
    };
    for (const auto &[name, rect] : buttons)
        r.rect(QLatin1String(name), *rect);
    // The description gives the width of one digit cell.
    r.rect(QStringLiteral("FilePosBitMap"), m.counter, {0, 0, 0, 0}, 5);
    r.rect(QStringLiteral("PositionDot"), m.positionDot);
    r.rect(QStringLiteral("Visualizer"), m.visualizer, {HiddenLeft, 0, 0, 0});

    r.point(QStringLiteral("Action"), m.action);
    r.integer(QStringLiteral("Main_Width"), m.width, 0);
    r.integer(QStringLiteral("Main_Height"), m.height, 0);
    r.color(QStringLiteral("MainBG_Color"), m.background, 0);
    r.slider(QStringLiteral("ScrollerTime"), m.scrollerTime);
    r.slider(QStringLiteral("ScrollerVolume"), m.scrollerVolume);
    r.slider(QStringLiteral("ScrollerBalance"), m.scrollerBalance);
}

void readPlaylist(IniReader &r, PlaylistLayout &p)
{
    r.section(QStringLiteral("Playlist"));
    r.rect(QStringLiteral("File"), p.file, {83, 12, 28, 34});
    r.rect(QStringLiteral("add"), p.add, {121, 12, 29, 34});
    r.rect(QStringLiteral("Delete"), p.remove, {160, 12, 47, 34});
    r.rect(QStringLiteral("Play"), p.play, {217, 12, 36, 34});
    r.rect(QStringLiteral("edit"), p.edit, {260, 12, 31, 34});
    r.rect(QStringLiteral("id3tag"), p.id3tag, {302, 12, 52, 34});
    r.rect(QStringLiteral("sort"), p.sort, {362, 12, 36, 34});
    r.integer(QStringLiteral("Exit_MinLeft"), p.exitMinLeft, 400);
    r.color(QStringLiteral("QuickSort_Color"), p.quickSortColor, 0x00181010);
    r.color(QStringLiteral("QSEdit_Color"), p.quickSearchEditColor, 0x00FFD0D0);
    r.color(QStringLiteral("QSEditBG_Color"), p.quickSearchEditBackground, 0x00181010);
    r.color(QStringLiteral("InfoText_Color"), p.infoTextColor, 0x00181010);
    r.integer(QStringLiteral("List_FontSize"), p.listFontSize, 8);
    p.listFontSize = saneFontSize(p.listFontSize);
    r.font(QStringLiteral("List_Font"), p.listFont);
    r.color(QStringLiteral("ListBG_Color"), p.listBackground, 0x00181010);
    r.color(QStringLiteral("List_Color"), p.listColor, 0x00FFFFFF);
}

void readEqualizer(IniReader &r, EqualizerLayout &e)
{
    r.section(QStringLiteral("Equalizer"));
    r.color(QStringLiteral("Info_Color"), e.infoColor, 0x00FFFFFF);
    r.color(QStringLiteral("ListBG_Color"), e.listBackground, 0x00181010);
    r.color(QStringLiteral("List_Color"), e.listColor, 0x00FFFFFF);
}

void readCoolBar(IniReader &r, CoolBarLayout &c)
{
    r.section(QStringLiteral("Cool Bar"));
    r.integer(QStringLiteral("Main_Width"), c.width, 0);
    r.integer(QStringLiteral("Main_Height"), c.height, 0);
    const std::pair<const char *, QRect *> buttons[] = {
        {"Play", &c.play},         {"Stop", &c.stop},  {"Pause", &c.pause}, {"Previous", &c.previous},
        {"Next", &c.next},         {"REW", &c.rewind}, {"FFW", &c.forward}, {"Menu", &c.menu},
        {"Playlist", &c.playlist}, {"Load", &c.load},  {"Info", &c.info},   {"Minimize", &c.minimize},
        {"Mode", &c.mode},         {"Exit", &c.exit},
    };
    for (const auto &[name, rect] : buttons)
        r.rect(QLatin1String(name), *rect);
    r.text(QStringLiteral("Counter"), c.counter);
    r.point(QStringLiteral("Status"), c.status);
}

void readRecorder(IniReader &r, RecorderLayout &rec)
{
    r.section(QStringLiteral("Recorder"));
    r.color(QStringLiteral("Head_Color"), rec.headColor, 0x00FFFFFF);
    r.color(QStringLiteral("Info_Color"), rec.infoColor, 0x00FFFFFF);
    r.color(QStringLiteral("Tracks_BGColor"), rec.tracksBackground, 0x00181010);
    r.color(QStringLiteral("Tracks_Color"), rec.tracksColor, 0x00FFFFFF);
}

// The values of "prefs", one a line; past the end every value reads "0".
class PrefsReader {
public:
    explicit PrefsReader(const QByteArray &bytes)
    {
        for (QString line : platform::decodeText(bytes).split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (!line.isEmpty() && !line.startsWith(' ') && !line.startsWith('/') && !line.startsWith('#'))
                lines_ << line;
        }
    }

    bool stopped() const { return stopped_; }

    QString line() { return next_ < lines_.size() ? lines_[next_++] : QStringLiteral("0"); }

    // A value below 1 means the fallback, when there is one.
    void integer(int &target, std::optional<int> fallback = std::nullopt)
    {
        if (stopped_)
            return;
        const std::optional<int> number = parseTextureInteger(line());
        if (!number) {
            stopped_ = true;
            return;
        }
        target = sane(fallback && *number < 1 ? *fallback : *number);
    }

    // Past the end there is no face to take.
    void font(QString &target)
    {
        if (stopped_)
            return;
        const bool atEnd = next_ >= lines_.size();
        const QString face = line().trimmed();
        if (!atEnd && !face.isEmpty())
            target = face;
    }

    void boolean(bool &target)
    {
        if (!stopped_)
            target = line().startsWith('t', Qt::CaseInsensitive);
    }

    void color(TextureColor &target)
    {
        if (stopped_)
            return;
        if (const std::optional<TextureColor> color = parseTextureColor(line()))
            target = *color;
        else
            stopped_ = true;
    }

    void text(TextElement &element, QPoint place)
    {
        font(element.font);
        boolean(element.bold);
        integer(element.size, 8);
        element.size = saneFontSize(element.size);
        color(element.color);
        integer(element.left, place.x());
        integer(element.top, place.y());
    }

    void rect(QRect &target, const QRect &fallback)
    {
        int left = 0, top = 0, width = 0, height = 0;
        integer(left, fallback.left());
        integer(top, fallback.top());
        integer(width, fallback.width());
        integer(height, fallback.height());
        if (!stopped_)
            target = QRect(left, top, width, height);
    }

    void slider(SliderGeometry &slider, const SliderGeometry &fallback)
    {
        integer(slider.left, fallback.left);
        integer(slider.top, fallback.top);
        integer(slider.width, fallback.width);
        integer(slider.height, fallback.height);
        integer(slider.length, fallback.length);
        slider.length = std::max(0, slider.length);
    }

private:
    QStringList lines_;
    qsizetype next_ = 0;
    bool stopped_ = false;
};

// A left below 1 hides the button; the rest below 1 keeps what it is.
void readOptionalButton(PrefsReader &r, QRect &button)
{
    int left = 0, top = button.top(), width = button.width(), height = button.height();
    r.integer(left);
    r.integer(top, button.top());
    r.integer(width, button.width());
    r.integer(height, button.height());
    if (!r.stopped())
        button = QRect(left < 1 ? HiddenLeft : left, top, width, height);
}

// Skip back and forward, information and minimize: a left below 1 hides,
// anything else below 1 is 0.
void readHideableRect(PrefsReader &r, QRect &target)
{
    int left = 0, top = 0, width = 0, height = 0;
    r.integer(left);
    r.integer(top);
    r.integer(width);
    r.integer(height);
    if (!r.stopped())
        target = QRect(left < 1 ? HiddenLeft : left, std::max(0, top), std::max(0, width), std::max(0, height));
}

void legacyCoolBar(CoolBarLayout &c)
{
    c.width = 247;
    c.height = 28;
    c.play = {89, 6, 14, 14};
    c.stop = {103, 6, 14, 14};
    c.pause = {117, 6, 14, 14};
    c.previous = {131, 6, 14, 14};
    c.next = {145, 6, 14, 14};
    for (QRect *hidden : {&c.rewind, &c.forward, &c.menu, &c.info, &c.minimize})
        *hidden = {HiddenLeft, 0, 0, 0};
    c.playlist = {8, 6, 14, 14};
    c.load = {25, 6, 14, 14};
    c.mode = {212, 6, 14, 14};
    c.exit = {226, 6, 14, 14};
    c.counter.font = QStringLiteral("Arial");
    c.counter.bold = true;
    c.counter.size = 10;
    c.counter.color = 0x00FFFFFF;
    c.counter.left = 60;
    c.counter.top = 6;
    c.status = {42, 8};
}

void readExtended(PrefsReader &r, bool hasCoolBarPictures, TextureLayout &layout)
{
    CoolBarLayout c = layout.coolBar;
    legacyCoolBar(c);
    r.integer(c.width, 247);
    r.integer(c.height, 28);
    r.rect(c.play, {89, 6, 14, 14});
    r.rect(c.stop, {103, 6, 14, 14});
    r.rect(c.pause, {117, 6, 14, 14});
    r.rect(c.previous, {131, 6, 14, 14});
    r.rect(c.next, {145, 6, 14, 14});
    readHideableRect(r, c.rewind);
    readHideableRect(r, c.forward);
    readHideableRect(r, c.menu);
    r.rect(c.playlist, {8, 6, 14, 14});
    r.rect(c.load, {25, 6, 14, 14});
    readHideableRect(r, c.info);
    readHideableRect(r, c.minimize);
    r.rect(c.mode, {212, 6, 14, 14});
    r.rect(c.exit, {226, 6, 14, 14});
    r.font(c.counter.font);
    r.boolean(c.counter.bold);
    r.integer(c.counter.size, 10);
    r.color(c.counter.color);
    r.integer(c.counter.left, 60);
    r.integer(c.counter.top, 6);
    int statusLeft = 0, statusTop = 0;
    r.integer(statusLeft, 42);
    r.integer(statusTop, 8);
    if (!r.stopped())
        c.status = {statusLeft, statusTop};
    if (hasCoolBarPictures)
        layout.coolBar = c;

    // Values for windows of another kind of texture.
    for (int ignored = 0, i = 0; i < 29; ++i)
        r.integer(ignored);
    TextureColor ignoredColor = 0;
    r.color(ignoredColor);

    QRect &counter = layout.main.counter;
    int left = 0, top = 0, cell = 0, height = 0;
    r.integer(left, HiddenLeft);
    r.integer(top, HiddenLeft);
    r.integer(cell);
    r.integer(height, 13);
    if (!r.stopped())
        counter = QRect(left, top, cell < 1 ? 73 : 5 * cell, height);
}

}  // namespace

void readTextureIni(const QByteArray &bytes, bool hasCoolBarPictures, TextureLayout &layout, TextureInfo &info)
{
    IniReader r(bytes);
    r.section(QStringLiteral("Texture"));
    r.string(QStringLiteral("Name"), info.name);
    r.string(QStringLiteral("Version"), info.version);
    r.string(QStringLiteral("Author"), info.author);
    r.string(QStringLiteral("email"), info.email);
    r.string(QStringLiteral("homePage"), info.homePage);
    r.string(QStringLiteral("comment"), info.comment);
    readMain(r, layout.main);
    readPlaylist(r, layout.playlist);
    readEqualizer(r, layout.equalizer);
    if (hasCoolBarPictures)
        readCoolBar(r, layout.coolBar);
    readRecorder(r, layout.recorder);
}

void readLegacyPrefs(const QByteArray &bytes, const QString &folderName, bool hasCoolBarPictures, TextureLayout &layout,
                     TextureInfo &info)
{
    info = {folderName, {}, QStringLiteral("Not Available"), {}, {}, QStringLiteral("No Information")};
    PrefsReader r(bytes);
    MainLayout &m = layout.main;
    r.text(m.fileName, {8, 38});
    r.integer(m.fileNameWidth, 116);
    r.integer(m.fileNameHeight, 13);
    r.text(m.monoStereo, {152, 36});
    r.text(m.fileLength, {176, 57});
    r.text(m.filePos, {167, 72});

    int dotLeft = 0, dotTop = 0, dotWidth = 0, dotHeight = 0;
    r.integer(dotLeft, 159);
    r.integer(dotTop, 66);
    r.integer(dotWidth);
    r.integer(dotHeight);
    if (!r.stopped())
        m.positionDot = {dotLeft, dotTop, dotWidth, dotHeight};

    int actionLeft = 0, actionTop = 0;
    r.integer(actionLeft, 204);
    r.integer(actionTop, 75);
    if (!r.stopped())
        m.action = {actionLeft, actionTop};

    TextureColor counterColor = layout.coolBar.counter.color;
    r.color(counterColor);
    if (hasCoolBarPictures && !r.stopped())
        layout.coolBar.counter.color = counterColor;

    r.integer(m.width, 247);
    r.integer(m.height, 179);
    const std::pair<QRect *, QRect> buttons[] = {
        {&m.play, {16, 114, 43, 25}},      {&m.stop, {66, 114, 43, 25}},   {&m.pause, {116, 114, 43, 25}},
        {&m.previous, {34, 152, 20, 14}},  {&m.rewind, {61, 152, 20, 14}}, {&m.forward, {91, 152, 20, 14}},
        {&m.next, {118, 152, 20, 14}},     {&m.load, {185, 118, 17, 17}},  {&m.playlist, {206, 118, 17, 17}},
        {&m.minimize, {185, 139, 17, 17}}, {&m.info, {206, 139, 17, 17}},  {&m.menu, {6, 6, 14, 14}},
        {&m.mode, {212, 6, 14, 14}},       {&m.exit, {226, 6, 14, 14}},
    };
    for (const auto &[rect, fallback] : buttons)
        r.rect(*rect, fallback);
    r.slider(m.scrollerTime, {14, 60, 24, 13, 76});
    r.slider(m.scrollerVolume, {14, 82, 10, 10, 33});
    r.slider(m.scrollerBalance, {72, 82, 10, 10, 33});
    r.color(m.background);
    for (QRect *button : {&m.equalizer, &m.cd, &m.audio, &m.prefs, &m.repeat, &m.shuffle})
        readOptionalButton(r, *button);

    if (r.stopped())
        return;
    if (r.line().trimmed().toLower() == QLatin1String("extended")) {
        readExtended(r, hasCoolBarPictures, layout);
        return;
    }
    if (hasCoolBarPictures)
        legacyCoolBar(layout.coolBar);
    m.counter.moveLeft(HiddenLeft);
}
