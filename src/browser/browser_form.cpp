#include "browser/browser_form.h"

#include "appearance/texture_bitmap.h"
#include "appearance/theme.h"
#include "appearance/window_frame.h"
#include "browser/page_renderer.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Pieces of the browser picture: the title's tile and the resize grip.
constexpr QRect TitleTile{250, 0, 25, TBrowserForm::TitleHeight};
constexpr QRect GripPiece{275, 5, 25, 25};

struct ButtonInfo {
    const char *caption, *hint;
};
constexpr ButtonInfo buttonInfos[] = {
    {"Home", "Home"},   {"Find Music", "Find Music"},   {"Help", "Help"},   {"<", "Previous Page"},
    {">", "Next Page"}, {"Update", "Download Updates"}, {"Close", "Close"},
};

// A picture that paints itself; the browser watches its mouse.
class PageView : public QWidget {
public:
    explicit PageView(const QImage &image, QWidget *parent) : QWidget(parent), image_(image) { setMouseTracking(true); }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter(this).drawImage(event->rect().topLeft(), image_, event->rect());
    }

private:
    const QImage &image_;
};

bool isWebAddress(const QUrl &url)
{
    return url.isValid() && (url.scheme() == "http" || url.scheme() == "https") && !url.host().isEmpty();
}

}  // namespace

TBrowserForm::TBrowserForm(const TextureManager &textures, browser::PageFolder folder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), OpenExternal(&QDesktopServices::openUrl),
      textures_(textures), folder_(std::move(folder)), area_(new QScrollArea(this)), view_(new PageView(image_, area_))
{
    setWindowTitle(QStringLiteral("Music Browser"));
    setMinimumSize(300, 150);
    resize(400, 400);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(2);
    const std::function<void()> actions[] = {
        [this] { open(QStringLiteral("Home.html")); },
        [this] { open(QStringLiteral("Music.html")); },
        [this] { open(QStringLiteral("manual.html")); },
        [this] { PreviousPage(); },
        [this] { NextPage(); },
        [this] { emit updatesRequested(); },
        [this] { close(); },
    };
    for (std::size_t i = 0; i < std::size(buttonInfos); ++i) {
        auto *button = new QToolButton(this);
        button->setText(QString::fromLatin1(buttonInfos[i].caption));
        button->setToolTip(QString::fromLatin1(buttonInfos[i].hint));
        button->setAutoRaise(true);
        button->setStyleSheet(QStringLiteral("QToolButton { color: %1; font: bold 11px Arial; padding: 2px 4px; }"
                                             "QToolButton:hover { color: white; background: #2c3440; }")
                                  .arg(QColor(theme::RimLight).name()));
        connect(button, &QToolButton::clicked, this, actions[i]);
        row->addWidget(button);
        if (i == 4)
            row->addStretch();
    }
    auto *column = new QVBoxLayout(this);
    // The grip stands below the page, in the lower right corner.
    column->setContentsMargins(WindowBorder, TitleHeight, WindowBorder, GripPiece.height());
    column->setSpacing(0);
    column->addLayout(row);
    column->addWidget(area_, 1);

    area_->setFrameShape(QFrame::NoFrame);
    area_->setWidget(view_);
    area_->setWidgetResizable(false);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->setStyleSheet(QStringLiteral("QScrollArea { background: black; }"));
    view_->installEventFilter(this);

    connect(&textures_, &TextureManager::textureChanged, this, [this] { update(); });
}

QToolButton *TBrowserForm::button(const QString &hint) const
{
    for (QToolButton *b : findChildren<QToolButton *>())
        if (b->toolTip() == hint)
            return b;
    return nullptr;
}

void TBrowserForm::OpenHelpPage(const QString &name)
{
    history_.push(name);
    if (isVisible())
        drawCurrentPage();
    else
        show();  // showing draws the page
    raise();
    activateWindow();
}

void TBrowserForm::open(const QString &name)
{
    history_.push(name);
    drawCurrentPage();
}

void TBrowserForm::PreviousPage()
{
    if (history_.previous())
        drawCurrentPage();
}

void TBrowserForm::NextPage()
{
    if (history_.next())
        drawCurrentPage();
}

void TBrowserForm::followLink(const QString &target)
{
    if (target.left(4).toLower() == QLatin1String("http")) {
        // Only a complete web address leaves the program.
        const QUrl url(target, QUrl::StrictMode);
        if (isWebAddress(url))
            OpenExternal(url);
    } else if (browser::isPageName(target)) {
        open(target);
    }
}

void TBrowserForm::reload()
{
    if (isVisible())
        drawCurrentPage();
}

void TBrowserForm::drawCurrentPage()
{
    browser::PageMetrics metrics;
    metrics.width = area_->width();
    metrics.visibleHeight = area_->height();
    metrics.measure = &browser::measureText;
    metrics.picture = [this](const QString &name) { return folder_.picture(name); };
    const std::vector<browser::PageLine> lines = folder_.page(history_.current());
    layout_ = browser::layoutPage(lines, metrics);
    if (layout_.height > metrics.visibleHeight) {  // the scroll bar takes its share of the width
        metrics.width -= area_->verticalScrollBar()->sizeHint().width();
        layout_ = browser::layoutPage(lines, metrics);
    }
    image_ = browser::renderPage(layout_, metrics.width, folder_.background());
    view_->resize(image_.size());
    view_->update();
    area_->verticalScrollBar()->setValue(0);
}

void TBrowserForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Opened before any page: the start page rather than an empty one.
    if (history_.current().isEmpty())
        history_.push(QStringLiteral("Home.html"));
    drawCurrentPage();
    emit visibilityChanged(true);
}

void TBrowserForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit visibilityChanged(false);
}

// The frame of the secondary windows, the title over its top and the
// browser picture's grip in the lower right corner.
void TBrowserForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), theme::MetalBottom);
    const TexturePictures &pictures = textures_.texture()->pictures;
    paintWindowBorders(painter, size(), pictures.playlist);
    // The title: its left part, then its tile to the right edge.
    drawPiece(painter, QPoint(0, 0), pictures.browser, QRect(0, 0, 250, TitleHeight));
    tilePiece(painter, QRect(250, 0, width() - 250, TitleHeight), pictures.browser, TitleTile);
    drawPiece(painter, gripRect().topLeft(), pictures.browser, GripPiece);
}

QRect TBrowserForm::gripRect() const
{
    return {QPoint(width() - GripPiece.width(), height() - GripPiece.height()), GripPiece.size()};
}

void TBrowserForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        drawCurrentPage();
}

// The title moves the window, the grip and the right and lower borders
// resize it.
void TBrowserForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint place = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    if (gripRect().contains(place) || place.x() >= width() - WindowBorder || place.y() >= height() - WindowBorder)
        drag_.start(WindowDrag::Kind::Resize, *this, global);
    else if (place.y() < TitleHeight)
        drag_.start(WindowDrag::Kind::Move, *this, global);
}

void TBrowserForm::mouseMoveEvent(QMouseEvent *event)
{
    drag_.follow(*this, event->globalPosition().toPoint());
}

void TBrowserForm::mouseReleaseEvent(QMouseEvent *)
{
    drag_.end();
}

bool TBrowserForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view_ && (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease))
        pageMouse(static_cast<QMouseEvent *>(event), event->type() == QEvent::MouseButtonRelease);
    return QWidget::eventFilter(watched, event);
}

void TBrowserForm::pageMouse(QMouseEvent *event, bool click)
{
    const browser::PageLink *link = browser::linkAt(layout_, event->position().toPoint());
    view_->setCursor(link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (click && link && event->button() == Qt::LeftButton)
        followLink(QString(link->target));  // a copy: following it draws a new page
}
