#include "cddb_form.h"

#include "disc_record.h"
#include "match_form.h"
#include "track_names.h"

#include "platform/dialogs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cd {

TCDDBForm::TCDDBForm(platform::Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), tracksFolder_(cd::tracksFolder()), CDDB_Label(new QLabel(this)),
      CDDBMemo(new QPlainTextEdit(this)), CDDB_Abort(new QPushButton(QStringLiteral("Close"), this)),
      DisCDDB(new QCheckBox(QStringLiteral("CDDB Enabled"), this))
{
    setWindowTitle(QStringLiteral("CDDB Manager"));
    CDDB_Label->setObjectName(QStringLiteral("CDDB_Label"));
    CDDB_Label->setTextFormat(Qt::PlainText);
    CDDB_Label->setMinimumWidth(200);
    CDDBMemo->setObjectName(QStringLiteral("CDDBMemo"));
    CDDBMemo->setReadOnly(true);
    CDDBMemo->hide();
    CDDB_Abort->setObjectName(QStringLiteral("CDDB_Abort"));
    DisCDDB->setObjectName(QStringLiteral("DisCDDB"));
    DisCDDB->setChecked(true);
    chooser_ = [this](const QStringList &matches) {
        TMatchForm form(parentWidget());
        return form.choose(matches);
    };

    connect(CDDB_Abort, &QPushButton::clicked, this, &QWidget::close);
    connect(DisCDDB, &QCheckBox::clicked, this, &TCDDBForm::cddbEnabledChanged);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DisCDDB);
    buttons->addStretch();
    buttons->addWidget(CDDB_Abort);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(CDDB_Label);
    layout->addWidget(CDDBMemo);
    layout->addLayout(buttons);
}

void TCDDBForm::setCddbEnabled(bool enabled)
{
    DisCDDB->setChecked(enabled);
}

bool TCDDBForm::cddbEnabled() const
{
    return DisCDDB->isChecked();
}

QString TCDDBForm::status() const
{
    return CDDB_Label->text();
}

QStringList TCDDBForm::record() const
{
    const QString text = CDDBMemo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split('\n');
}

bool TCDDBForm::QueryDisc(const DiscId &id, DiscNames &names, const QRect &mainWindowFrame)
{
    if (client_.busy())
        return false;
    showBeside(mainWindowFrame);
    CDDBMemo->clear();
    setStatus(QStringLiteral("Connecting..."));
    const CddbLookup lookup = client_.lookup(id.queryArgument, [&](const QStringList &matches) {
        // The window makes room for the list and comes back for the read.
        hide();
        const std::optional<int> chosen = chooser_(matches);
        if (chosen) {
            showBeside(mainWindowFrame);
            setStatus(QStringLiteral("Connecting..."));
        }
        return chosen;
    });
    if (lookup.outcome == CddbLookup::ConnectionFailed) {
        setStatus(QStringLiteral("Connection Failed"));
        return false;
    }
    CDDBMemo->setPlainText(lookup.record.join('\n'));
    if (lookup.outcome == CddbLookup::NoRecord) {
        setStatus(QStringLiteral("No CDDB Info."));
        save(id.id, names);
        return false;
    }
    setStatus(QStringLiteral("CDDB Successfull."));
    applyDiscRecord(lookup.record, names);
    save(id.id, names);
    hide();
    return true;
}

void TCDDBForm::closeEvent(QCloseEvent *event)
{
    client_.abort();
    event->accept();
}

void TCDDBForm::showBeside(const QRect &mainWindowFrame)
{
    adjustSize();
    move(mainWindowFrame.left() + mainWindowFrame.width() + 10,
         mainWindowFrame.top() + (mainWindowFrame.height() - frameGeometry().height()) / 2);
    show();
}

void TCDDBForm::setStatus(const QString &text)
{
    CDDB_Label->setText(text);
}

void TCDDBForm::save(const QString &discId, const DiscNames &names)
{
    if (!saveTrackNames(tracksFolder_, discId, names))
        dialogs_.errorWithCaption(QStringLiteral("File Error"), QStringLiteral("Could not write to Database."));
}

}  // namespace cd
