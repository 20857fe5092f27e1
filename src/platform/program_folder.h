#pragma once
// Where Briqo keeps its games, pictures and taal.ini, and how it names itself to the desktop.

#include <QString>

namespace briqo {

// The name under which the desktop knows the program: its menu entry, its icon and its metadata
// all carry it, so the window is matched with its entry and its icon.
QString applicationId();

// "1.0.5": the version the build gives the program.
QString programVersion();

// The folder that holds the games folder, the pictures and taal.ini. A copy of Briqo in a
// folder the user may write keeps them beside itself, as the program always did. An installed
// Briqo keeps them in the user's own data folder (made when missing): one whose folder cannot
// be written, and one installed in a bin folder beside the share folder that holds its menu
// entry, which the administrator could write but whose files belong to the package.
QString dataFolderFor(const QString &programFolder);

// True for a program folder of an installed tree (PREFIX/bin beside PREFIX/share/applications).
bool isInstalledTree(const QString &programFolder);

} // namespace briqo
