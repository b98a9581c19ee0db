// A browser page as a downloaded file holds it: whatever the bytes, the
// layout stays within its height cap and each link belongs to a drawn text.

#include "browser/page_layout.h"
#include "fuzz_input.h"
#include "platform/text_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text =
        platform::decodeText(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    browser::PageMetrics metrics;
    metrics.width = 400;
    metrics.visibleHeight = 300;
    metrics.measure = [](const QString &t, const browser::TextStyle &s) {
        return QSize(5 * int(t.size()), s.points + 3);
    };
    metrics.picture = [](const QString &name) {
        return name.size() % 3 ? QImage(static_cast<int>(name.size()) * 7, 40, QImage::Format_RGB32) : QImage();
    };
    const std::vector<browser::PageLine> lines = browser::parsePage(text);
    for (const browser::PageLine &line : lines)
        fuzz::require(!line.text.contains(u'\n') && (line.kind != browser::PageLine::Text || !line.text.isEmpty()));
    const browser::PageLayout page = browser::layoutPage(lines, metrics);
    fuzz::require(page.height >= metrics.visibleHeight && page.height <= browser::maxPageHeight);
    std::size_t texts = 0;
    for (const browser::PageItem &item : page.items) {
        fuzz::require(item.at.y() < browser::maxPageHeight);
        texts += item.kind == browser::PageItem::Text;
    }
    fuzz::require(page.links.size() <= texts);
    return 0;
}
