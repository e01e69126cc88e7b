#pragma once
// An installed program keeps the user's own templates and scripts in the user's data folder.
// On every start the shipped samples are brought there: a sample the user does not have yet is
// copied in; a user's file is never overwritten; a shipped sample that changed since it was last
// brought (a newer version of the program) while the user's file differs from it is put beside
// the user's file as a copy named "NAME（新版 VERSION）.EXT", for the user to take or leave.
// What was brought is remembered (by content) in "shipped.txt" in the user's data folder, so a
// sample the user deleted stays deleted until a new version of it ships.
#include <QString>
#include <QStringList>

struct ProgramFolders;

struct SeedOutcome {
    QStringList copied;  // user's paths of the samples copied in
    QStringList offered; // user's paths of the newer samples put beside the user's files
    QStringList failed;  // the reasons of the copies that could not be written
};

// Seeds the user's template and script folders from the shipped ones, creating them (and the
// configuration folder). Does nothing for a portable program, whose user's folders are the
// shipped ones.
SeedOutcome SeedUserFolders(const ProgramFolders &folders, const QString &version);

// The name a newer shipped sample gets beside the user's file of the same name.
QString OfferedName(const QString &fileName, const QString &version);
