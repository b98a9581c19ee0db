#pragma once

// A part of the program as the application sees it: its windows (made on
// first use), its settings, its texts and its commands of the table. The
// application makes each feature with one line and gives all of them the
// same treatment; what connects two features is written in the application.

#include "app/app_context.h"
#include "app/feature_window.h"

#include <QObject>

#include <vector>

class Messages;

class Feature : public QObject {
public:
    explicit Feature(AppContext &app) : app(app) {}
    virtual ~Feature() = default;
    Feature(const Feature &) = delete;
    Feature &operator=(const Feature &) = delete;

    // Its windows, in the order their snaps are tried.
    virtual std::vector<FeatureWindow *> windows() { return {}; }
    // The settings into the feature at start, and back before they are written.
    virtual void restore() {}
    virtual void store() {}
    // The texts of its windows that exist.
    virtual void applyTexts(const Messages &) {}
    // Its commands of the table.
    virtual void bindCommands(RemoteControl &) {}
    // The main window shows: what may wait until then starts now.
    virtual void started() {}

protected:
    AppContext &app;
};
