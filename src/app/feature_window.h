#pragma once

// A window a feature owns, made on first use: what it needs from the
// program (its help page, whether it docks, which settings keep its place
// and whether it was open) is said once here, and the program gives every
// window the same treatment when it is made.

#include "core/settings.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

// The settings that keep a window's rectangle; a size the window does not
// keep is a null member.
struct WindowPlace {
    int Settings::*left = nullptr;
    int Settings::*top = nullptr;
    int Settings::*width = nullptr;
    int Settings::*height = nullptr;
    // Puts a stored size out of reason right.
    QSize (*corrected)(QSize stored) = nullptr;
    // The size is kept at 1x for a window shown at the chosen window size
    // (`scale`), so a size setting out of reason at 2x is not one at 1x.
    bool skinPixels = false;

    bool kept() const { return left != nullptr; }
    // The stored rectangle onto `window`, no smaller than it allows.
    void restore(const Settings &settings, QWidget &window, qreal scale) const;
    void store(Settings &settings, const QWidget &window, qreal scale) const;
};

class FeatureWindow {
public:
    struct Traits {
        QString helpPage;  // a page of the browser, such as "playlist.html"
        bool docks = false;  // snaps to the others and moves with the main window
        WindowPlace place;
        bool Settings::*shown = nullptr;  // open at start when it was open at exit
    };
    // Makes the window; it lives as long as its owner keeps it.
    using Make = std::function<QWidget *()>;

    FeatureWindow(Traits traits, Make make);
    virtual ~FeatureWindow();
    FeatureWindow(const FeatureWindow &) = delete;
    FeatureWindow &operator=(const FeatureWindow &) = delete;

    const Traits &traits() const { return traits_; }
    // The window, made now if it was not yet.
    QWidget &widget();
    // The window if it was made, else null.
    QWidget *made() const { return widget_; }
    bool isShown() const { return widget_ && widget_->isVisible(); }

    // The program's treatment, given once to the window when it is made
    // (at once when it already was).
    void adopt(std::function<void(FeatureWindow &)> whenMade);

private:
    Traits traits_;
    Make make_;
    std::function<void(FeatureWindow &)> whenMade_;
    QWidget *widget_ = nullptr;
};

// A window of the form's own type, owned here.
template <typename Form>
class Window : public FeatureWindow {
public:
    Window(Traits traits, std::function<std::unique_ptr<Form>()> make)
        : FeatureWindow(std::move(traits), [this, make = std::move(make)] {
              form_ = make();
              return form_.get();
          })
    {
    }
    Form &get()
    {
        widget();
        return *form_;
    }
    Form *existing() const { return form_.get(); }

private:
    std::unique_ptr<Form> form_;
};
