#pragma once

#include <QString>
#include <QStringList>

// Where the configuration file lives. On Windows C:\Quintora.ini; elsewhere
// $XDG_CONFIG_HOME/Quintora/Quintora.ini, normally ~/.config/Quintora/Quintora.ini.
// The command-line option --config FILE (or --config=FILE) puts it elsewhere.
// Any thread.
namespace ConfigLocation {

// The configuration file's usual place on this system.
QString defaultPath();

// The configuration file named by an option value, made absolute against the
// current folder; the usual place when the value is empty.
QString fromOption(const QString& optionValue);

// The configuration file for a command line, e.g. QCoreApplication::arguments():
// the value of the last --config FILE or --config=FILE, else the usual place.
// A --config with no value after it is ignored.
QString fromArguments(const QStringList& arguments);

// The backup beside a configuration file: its name with the extension .old,
// Quintora.old for Quintora.ini.
QString backupPath(const QString& configPath);

}  // namespace ConfigLocation
