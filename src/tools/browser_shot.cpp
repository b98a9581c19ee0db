// Renders the music browser showing the start page and a help page into
// PNGs for the documentation:
// browser-shot BROWSER-FOLDER START.png HELP.png

#include "browser/browser_form.h"

#include <QApplication>
#include <QTextStream>

namespace {

bool save(TBrowserForm &form, const QString &page, const QString &path)
{
    form.OpenHelpPage(page);
    QApplication::processEvents();
    return form.grab().toImage().save(path);
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        QTextStream(stderr) << "usage: browser-shot BROWSER-FOLDER START.png HELP.png\n";
        return 2;
    }
    const TextureManager textures;
    TBrowserForm form(textures, browser::PageFolder({args[1] + '/'}));
    form.resize(420, 560);
    if (!save(form, QStringLiteral("Home.html"), args[2]) || !save(form, QStringLiteral("equalizer.html"), args[3])) {
        QTextStream(stderr) << "cannot write the pictures\n";
        return 1;
    }
    return 0;
}
