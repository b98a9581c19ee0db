#pragma once

// The progress window of the browser's update: modal while the files
// arrive; Cancel, or its close box, aborts the running transfer and ends
// the update before the next file.

#include "net/http_client.h"

#include <QDialog>

class QProgressBar;
class QPushButton;

class TUpdateForm : public QDialog {
public:
    explicit TUpdateForm(QWidget *parent = nullptr);

    // Shows the window with the cancel flag cleared.
    void start();
    void setProgress(int percent);
    bool cancelled() const { return cancelled_; }
    void Cancel();

    QPushButton *cancelButton() const { return cancel_; }
    QProgressBar *progressBar() const { return bar_; }

    net::THttpCli HttpClient;

protected:
    void reject() override { Cancel(); }

private:
    QProgressBar *bar_;
    QPushButton *cancel_;
    bool cancelled_ = false;
};
