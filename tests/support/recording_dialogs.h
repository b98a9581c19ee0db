#pragma once

// Answers every box at once and remembers what was shown.

#include "platform/dialogs.h"

#include <QColor>
#include <QFont>
#include <QStringList>

class RecordingDialogs : public platform::Dialogs {
public:
    void error(const QString &text) override { errors << text; }
    void errorWithCaption(const QString &caption, const QString &text) override { errors << caption + ": " + text; }
    void information(const QString &text) override { informations << text; }
    QString openFileName(const QString &, const QString &, const QString &filter) override
    {
        filters << filter;
        return nextOpenFile;
    }
    QStringList openFileNames(const QString &, const QString &, const QString &) override { return nextOpenFiles; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return nextSaveFile; }
    QString folderName(const QString &, const QString &) override { return nextFolder; }
    QString askAddress() override
    {
        ++addressesAsked;
        return nextAddress;
    }
    QString askText(const QString &caption, const QString &prompt, const QString &initial) override
    {
        askedTexts << caption + ": " + prompt + (initial.isEmpty() ? QString() : " [" + initial + "]");
        return nextText;
    }

    std::optional<QFont> chooseFont(const QFont &) override { return nextFont; }
    std::optional<QColor> chooseColor(const QColor &initial) override
    {
        colourStarts << initial;
        return nextColor;
    }

    int chooseSong(const QStringList &songs) override
    {
        songBoxes << songs;
        return nextSong;
    }

    QStringList errors, informations;
    QStringList filters;   // of each file-open box
    QString nextOpenFile;  // the answer of the next file-open box
    QStringList nextOpenFiles;
    QString nextSaveFile, nextFolder, nextAddress;
    int addressesAsked = 0;
    QStringList askedTexts;  // "caption: prompt [initial]" of each input box
    QString nextText;        // the answer of the next input box
    std::optional<QFont> nextFont;
    std::optional<QColor> nextColor;
    QList<QColor> colourStarts;    // the colour each colour box began with
    QList<QStringList> songBoxes;  // the lines of each jump box
    int nextSong = -1;             // the answer of the next jump box
};
