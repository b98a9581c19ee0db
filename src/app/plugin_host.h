#pragma once

// General-purpose plug-ins: every "plugins/*.so" is loaded (a name in the
// user's folder hides the same in the installed one); those that
// export winampGetGeneralPurposePlugin are initialised at start and told to
// quit at exit. Libraries that fail to load are skipped without a message.

#include "ludro/gen_plugin.h"

#include <QString>
#include <QStringList>

#include <vector>

class PluginHost {
public:
    PluginHost() = default;
    ~PluginHost();
    PluginHost(const PluginHost &) = delete;
    PluginHost &operator=(const PluginHost &) = delete;

    void load(const QStringList &folders, uintptr_t parentWindow);
    // The descriptions of the loaded plug-ins, for the preferences window.
    QStringList descriptions() const;
    void configure(int index);
    void quitAll();

private:
    void loadLibrary(const QString &path, uintptr_t parentWindow);

    struct Loaded {
        void *library;
        winampGeneralPurposePlugin *record;
    };
    std::vector<Loaded> plugins_;
    std::vector<void *> others_;  // loaded, without the entry point
};
