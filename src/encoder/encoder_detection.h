#pragma once

// Finding the encoder programs a user has installed.

#include <QString>
#include <QStringList>

namespace encoder {

// The known encoders in the program folder (ending with "/"), in the wizard's
// order, then `lame` from the PATH; only executable files count.
QStringList detectEncoders(const QString &programFolder);

// The executable `path` names: a bare name is looked up on the PATH; empty
// when there is no such executable file.
QString resolveProgram(const QString &path);

}  // namespace encoder
