#pragma once

// Zip archives made by the tests, as users' zipped skins come.

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

using ZipMembers = std::vector<std::pair<QByteArray, QByteArray>>;  // name, contents

// Writes the members, deflated, in the order given; returns the file's bytes.
QByteArray writeZip(const QString &path, const ZipMembers &members);

// The files of `folder`, as members of their own names.
ZipMembers folderMembers(const QString &folder);
