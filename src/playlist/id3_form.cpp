#include "playlist/id3_form.h"

#include "language/window_texts.h"

#include "appearance/form_style.h"
#include "playlist/id3_genres.h"
#include "playlist/song_tag.h"
#include "playlist/tag_file.h"
#include "platform/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *valueLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // a file's name and what its frames say
    label->setProperty("role", "value");
    label->setMinimumWidth(90);
    return label;
}

// What tells a change of the file: its size and modification time.
std::pair<qint64, QDateTime> fileStamp(const QString &path)
{
    const QFileInfo info(path);
    return {info.size(), info.lastModified()};
}

}  // namespace

TID3Form::TID3Form(PlaylistModel &playlist, platform::Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), playlist_(playlist), dialogs_(dialogs), genre_(new QComboBox(this)), fileLabel_(valueLabel(this))
{
    setObjectName(QStringLiteral("ID3_Caption"));
    setStyleSheet(graphiteFormStyle());

    auto *tagBox = new QGroupBox(this);
    auto *tagGrid = new QGridLayout(tagBox);
    const char *const names[] = {"ID3_Title", "ID3_Artist", "ID3_Album"};
    for (int i = 0; i < 5; ++i) {
        edits_[i] = new QLineEdit(tagBox);
        edits_[i]->setMaxLength(i == 3 ? id3::YearWidth : id3::TextWidth);
    }
    for (int row : {0, 1, 2}) {
        tagGrid->addWidget(named(new QLabel(tagBox), names[row]), row, 0);
        tagGrid->addWidget(edits_[row], row, 1, 1, 3);
    }
    tagGrid->addWidget(named(new QLabel(tagBox), "ID3_Year"), 3, 0);
    edits_[3]->setFixedWidth(56);
    tagGrid->addWidget(edits_[3], 3, 1);
    tagGrid->addWidget(named(new QLabel(tagBox), "ID3_Genre"), 3, 2, Qt::AlignRight);
    genre_->addItems(sortedId3GenreNames());
    genre_->setMaxVisibleItems(16);
    genre_->setCurrentIndex(-1);
    tagGrid->addWidget(genre_, 3, 3);
    tagGrid->addWidget(named(new QLabel(tagBox), "ID3_Comment"), 4, 0);
    tagGrid->addWidget(edits_[4], 4, 1, 1, 3);
    tagGrid->setColumnStretch(3, 1);

    auto *infoBox = named(new QGroupBox(this), "ID3_FileInfo");
    auto *infoGrid = new QGridLayout(infoBox);
    for (int i = 0; i < 6; ++i) {
        info_[i] = valueLabel(infoBox);
        infoGrid->addWidget(info_[i], i % 3, i / 3);
    }

    auto *save = named(new QPushButton(this), "ID3_Save");
    auto *clear = named(new QPushButton(this), "ID3_Clear");
    auto *cancel = named(new QPushButton(this), "ID3_Cancel");
    save->setDefault(true);
    QObject::connect(save, &QPushButton::clicked, [this] { SaveClick(); });
    QObject::connect(clear, &QPushButton::clicked, [this] { ClearTagClick(); });
    QObject::connect(cancel, &QPushButton::clicked, [this] { CancelClick(); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(clear);
    buttons->addWidget(cancel);

    fileLabel_->setWordWrap(true);
    auto *column = new QVBoxLayout(this);
    column->addWidget(fileLabel_);
    column->addWidget(tagBox);
    column->addWidget(infoBox);
    column->addLayout(buttons);
    setFixedWidth(380);
    applyTexts(*this, Messages());
}

void TID3Form::OpenTagEditor(const QString &path, int row)
{
    fill(path, row);
    exec();
}

void TID3Form::fill(const QString &path, int row)
{
    genre_->setCurrentIndex(-1);
    for (QLineEdit *edit : edits_)
        edit->clear();
    tagPresent_ = false;
    path_ = path;
    row_ = row;
    fileLabel_->setText(path);

    QFile file(path);
    if (!platform::openRegularFile(file, QIODevice::ReadOnly))
        return;
    opened_ = fileStamp(path);
    tag_file::Kinds kinds;
    const std::optional<Id3Tag> tag = tag_file::read(path, &kinds);
    // A richer tag keeps long texts whole; ID3v1 still gets their start.
    for (int i : {0, 1, 2, 4})
        edits_[i]->setMaxLength(kinds.rich ? 1024 : id3::TextWidth);
    showColumns(tag);
    if (!tag)
        return;
    tagPresent_ = true;
    edits_[0]->setText(tag->title);
    edits_[1]->setText(tag->artist);
    edits_[2]->setText(tag->album);
    edits_[3]->setText(tag->year);
    edits_[4]->setText(tag->comment);
    genre_->setCurrentIndex(genre_->findText(id3GenreName(tag->genre)));
}

void TID3Form::setFileInformation(const QStringList &texts)
{
    for (int i = 0; i < 6; ++i)
        info_[i]->setText(texts.value(i));
}

// Without a genre chosen the byte is 255, which no name has.
Id3Tag TID3Form::editedTag() const
{
    Id3Tag tag{edits_[0]->text(), edits_[1]->text(), edits_[2]->text(), edits_[3]->text(), edits_[4]->text()};
    tag.genre = genre_->currentIndex() < 0 ? 255 : id3GenreNumber(genre_->currentText());
    return tag;
}

void TID3Form::showColumns(const std::optional<Id3Tag> &tag)
{
    // The list may have changed while the editor was open.
    if (playlist_.entryPath(row_ - 1) == path_)
        showTagColumns(playlist_, row_ - 1, tag);
}

// Something else wrote the file since it was read: writing now would
// undo that change, so the user reads the file again first.
bool TID3Form::changedOnDisk()
{
    if (fileStamp(path_) == opened_)
        return false;
    dialogs_.error(QStringLiteral("%1\nhas changed since the tag editor read it. Nothing was written; "
                                  "open the tag editor again to edit its new tag.")
                       .arg(path_));
    return true;
}

void TID3Form::SaveClick()
{
    if (changedOnDisk())
        return;
    const Id3Tag tag = editedTag();
    const QString error = tag_file::save(path_, tag);
    if (!error.isEmpty()) {
        dialogs_.error(error);
        return;
    }
    showColumns(tag);
    if (OnTagChanged)
        OnTagChanged(path_);
    accept();
}

void TID3Form::ClearTagClick()
{
    if (changedOnDisk())
        return;
    const QString error = tag_file::clear(path_);
    if (!error.isEmpty()) {
        dialogs_.error(error);
        return;
    }
    showColumns(std::nullopt);
    if (OnTagChanged)
        OnTagChanged(path_);
    accept();
}
