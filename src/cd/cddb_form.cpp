#include "cddb_form.h"

#include "cddb_sites.h"
#include "disc_record.h"
#include "match_form.h"
#include "text_lines.h"
#include "track_names.h"
#include "xmcd_record.h"

#include "platform/dialogs.h"
#include "platform/plain_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cd {

void TCDDBForm::applyTexts(const Messages &messages)
{
    setWindowTitle(platform::plainWindowTitle(messages.text("CDDB_Caption")));
    CDDB_Abort->setText(messages.text("CDDB_Close"));
    DisCDDB->setText(messages.text("CDDB_Enabled"));
}

TCDDBForm::TCDDBForm(platform::Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), tracksFolder_(cd::tracksFolder()), CDDB_Label(new QLabel(this)),
      CDDBMemo(new QPlainTextEdit(this)), CDDB_Abort(new QPushButton(this)),
      DisCDDB(new QCheckBox(this))
{
    applyTexts(Messages());
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

bool TCDDBForm::SubmitDisc(const DiscId &id, const DiscNames &names, int revision, const QString &category, bool test,
                           const QRect &mainWindowFrame)
{
    if (client_.busy())
        return false;
    showBeside(mainWindowFrame);
    const QStringList record = xmcdRecord(id, names, revision);
    CDDBMemo->setPlainText(record.join('\n'));
    setStatus(QStringLiteral("Connecting..."));
    const CddbSubmit sent = client_.submit(category, test, id.id, record);
    switch (sent.outcome) {
    case CddbSubmit::ConnectionFailed:
        setStatus(QStringLiteral("Connection Failed"));
        return false;
    case CddbSubmit::Refused:
        setStatus(sent.answer.isEmpty() ? QStringLiteral("The server sent no answer.") : sent.answer);
        return false;
    case CddbSubmit::Accepted:
        break;
    }
    setStatus(sent.answer);
    hide();
    return true;
}

std::optional<QStringList> TCDDBForm::UpdateServerList(const QString &listFile, const QRect &besideFrame)
{
    if (client_.busy())
        return std::nullopt;
    showBeside(besideFrame);
    CDDBMemo->clear();
    setStatus(QStringLiteral("Updating CDDB Server list..."));
    const std::optional<QStringList> answer = client_.sites();
    if (!answer) {
        setStatus(QStringLiteral("Connection Failed"));
        return std::nullopt;
    }
    CDDBMemo->setPlainText(answer->join('\n'));
    const std::optional<QStringList> sites = parseSitesAnswer(*answer);
    if (!sites) {
        // An error answer tells why; a cut-off one lost its connection.
        const QString status = answer->value(0).section(' ', 0, 0);
        setStatus(status.startsWith('4') || status.startsWith('5') ? singleLine(answer->first())
                                                                   : QStringLiteral("Connection Failed"));
        return std::nullopt;
    }
    // A file that cannot be written keeps the old list for the next start.
    saveServerList(listFile, *sites);
    hide();
    return sites;
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
