// The playlist window at the chosen window size: its places are skin
// pixels, shown `scale_` times as large.

#include "pl_form.h"

void TPLForm::applyScale()
{
    const QSize skin = skinSize();
    storeColumnWidths();  // at the size they were made for
    scale_ = SkinScale(textures_.windowScale());
    applyStyle();
    resize(scale_.toWindow(skin));
    update();
}

// The widths are kept in skin pixels, so they follow the window size.
void TPLForm::applyColumnWidths()
{
    for (int c = 0; c < PlaylistEntry::ColumnCount; ++c)
        titleView_.setColumnWidth(c, qRound(columnWidths[static_cast<std::size_t>(c)] * scale_.factor()));
}

void TPLForm::storeColumnWidths()
{
    if (!widthsApplied_)
        return;  // the list never showed them
    for (int c = 0; c < PlaylistEntry::ColumnCount; ++c)
        columnWidths[static_cast<std::size_t>(c)] = qRound(titleView_.columnWidth(c) / scale_.factor());
}
