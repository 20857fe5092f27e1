#pragma once
// The folder in which the file dialogs open: the user's Documents folder the first time, then the
// folder of the file last chosen, remembered in taal.ini.

#include <QString>

namespace briqo {

QString dialogStartFolder(const QString &settingsFile);

// Remembers the folder of a file the user chose in a dialog (nothing for an empty path).
void rememberDialogFolder(const QString &settingsFile, const QString &chosenFile);

} // namespace briqo
