#pragma once

// CD mode: switched by the main window's CD button, its menu item and the
// command; the disc shows in the main window, its names come from the disc
// database's window, and new names go back through the submission window.
// Timer1 runs its poll; the playback controller hands it the transport.

#include "app/feature.h"
#include "cd/cd_controller.h"
#include "cd/cd_device.h"
#include "cd/cddb_form.h"
#include "cd/submit_form.h"

class CdFeature : public Feature {
public:
    explicit CdFeature(AppContext &app);

    std::vector<FeatureWindow *> windows() override { return {&cddb_, &submit_}; }
    void restore() override;
    void applyTexts(const Messages &messages) override;
    void bindCommands(RemoteControl &remote) override;

    cd::CdController &controller() { return controller_; }
    cd::CdDevice &device() { return device_; }
    cd::TCDDBForm &cddbForm() { return cddb_.get(); }
    // The disc's names offered to the disc database.
    void submitDisc();
    void setShowTimeInTitle(bool on) { controller_.setShowTimeInTitle(on); }

private:
    cd::CdDevice device_;
    Window<cd::TCDDBForm> cddb_;
    Window<cd::TSubmitForm> submit_;
    cd::CdController controller_;
};
