#pragma once

// The window behind "Submit to CDDB": the user picks a music category and a
// test or a real submission, and Submit sends the disc's names to the disc
// database, the disc-database window showing how it goes. Only an accepted
// record raises the disc's revision.

#include "disc_id.h"
#include "disc_names.h"

#include <QDialog>
#include <QRect>

class QComboBox;
class QLabel;
class QPushButton;

namespace platform {
class Dialogs;
}

namespace cd {

class TCDDBForm;

class TSubmitForm : public QDialog {
    Q_OBJECT
public:
    TSubmitForm(TCDDBForm &cddb, platform::Dialogs &dialogs, QWidget *parent = nullptr);

    // Shows the window modally for the disc (its id computed afresh) and the
    // names the CD view shows. The disc's revision afterwards: one more than
    // names.revision when the server accepted the record, else the same.
    int WriteToCDDB(const DiscId &disc, const DiscNames &names, const QRect &mainWindowFrame);

    // What Submit sends, set by WriteToCDDB; the revision accepted so far.
    void setDisc(const DiscId &disc, const DiscNames &names, const QRect &mainWindowFrame);
    int revision() const { return revision_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void SubmitClick();

    TCDDBForm &cddb_;
    platform::Dialogs &dialogs_;
    DiscId disc_;
    DiscNames names_;
    QRect mainWindowFrame_;
    int revision_ = 0;
    QComboBox *CategoryBox;
    QComboBox *SubmitBox;
    QPushButton *SubmitButton;
    QLabel *Picture;
};

}  // namespace cd
