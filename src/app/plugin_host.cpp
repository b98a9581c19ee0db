#include "plugin_host.h"

#include "platform/window_messages.h"

#include <QDir>
#include <QFile>

#include <dlfcn.h>

extern "C" __attribute__((visibility("default"))) int ludro_post_message(uintptr_t window, uint32_t msg,
                                                                          uintptr_t wParam, intptr_t lParam)
{
    return platform::postMessage(window, msg, wParam, lParam) ? 1 : 0;
}

PluginHost::~PluginHost()
{
    quitAll();
}

void PluginHost::load(const QStringList &folders, uintptr_t parentWindow)
{
    QStringList seen;
    for (const QString &folder : folders)
        for (const QString &file : QDir(folder).entryList({QStringLiteral("*.so")}, QDir::Files, QDir::Name))
            if (!seen.contains(file)) {
                seen << file;
                loadLibrary(folder + file, parentWindow);
            }
}

void PluginHost::loadLibrary(const QString &path, uintptr_t parentWindow)
{
    void *library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return;
    auto entry =
        reinterpret_cast<winampGetGeneralPurposePluginFunction>(dlsym(library, "winampGetGeneralPurposePlugin"));
    winampGeneralPurposePlugin *record = entry ? entry() : nullptr;
    if (!record) {
        others_.push_back(library);
        return;
    }
    record->hwndParent = parentWindow;
    record->hDllInstance = library;
    plugins_.push_back({library, record});
    if (record->init)
        record->init();
}

QStringList PluginHost::descriptions() const
{
    QStringList list;
    for (const Loaded &p : plugins_)
        list << QString::fromUtf8(p.record->description ? p.record->description : "");
    return list;
}

void PluginHost::configure(int index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < plugins_.size() && plugins_[index].record->config)
        plugins_[index].record->config();
}

// Libraries stay loaded: a plug-in may have left threads or callbacks behind.
void PluginHost::quitAll()
{
    for (const Loaded &p : plugins_)
        if (p.record->quit)
            p.record->quit();
    plugins_.clear();
}
