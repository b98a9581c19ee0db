#pragma once

// Where the program's files are. A program folder that can be written (the
// build's, a portable copy) or LUDRO_HOME holds everything. An installed
// program (data under <prefix>/share/ludro-pro/ beside <prefix>/bin/, or a
// program folder that cannot be written) keeps the user's files in
// $XDG_DATA_HOME/ludro-pro/ and reads the folders users fill from there
// first, then from the installed data.

#include <QString>
#include <QStringList>

namespace platform {

class DataFolders {
public:
    // What the choice depends on; every folder ends with "/".
    struct Facts {
        QString ludroHome;          // empty when not set
        QString executableFolder;
        bool executableFolderWritable = true;
        QString installedData;      // <prefix>/share/ludro-pro/ when it exists, else empty
        QString dataHome;           // $XDG_DATA_HOME or its default
    };

    // The folders of this process, from its environment and executable.
    static DataFolders current();
    static DataFolders decide(const Facts &facts);

    // The user's files (settings, default playlist, tracks, downloads);
    // ends with "/". It may not exist yet: see makeUserFolder.
    const QString &user() const { return user_; }
    // The read-only data beside the user's; empty when they are one folder.
    const QString &installed() const { return installed_; }
    // The folder `name` (found without regard to case) in the user's folder,
    // then in the installed one; each ends with "/".
    QStringList search(const QString &name) const;
    // Creates the user's folder; false when it cannot be made.
    bool makeUserFolder() const;

private:
    QString user_;
    QString installed_;
};

// The path of `name` in the first of `folders` that holds it, without regard
// to letter case; in the first folder as given when none does.
QString findInFolders(const QStringList &folders, const QString &name);

// The lists of several folders as one, in order; a name that comes again in
// any letter case is left out.
QStringList mergedNames(const QList<QStringList> &lists);

}  // namespace platform
