#pragma once
// The two things the programs do from a command line, for installers and
// service staff; the program itself takes no other arguments.
//   --version        prints the edition's version block and ends, before
//                    any window system is needed;
//   --check-install  tells whether the program finds what it needs from the
//                    current folder (a template New can make data files
//                    from, the help file, Qt's German texts in the German
//                    edition) and ends: 0 when all are found.
#include <QString>

enum class CommandLineMode { Run, Version, CheckInstall };

CommandLineMode commandLineMode(int argc, char* argv[]);

// Prints the version block of the current edition; returns the exit status.
int printVersion();

// Needs the application object and the translations already applied
// (translationsFile: what QtLanguage::apply loaded). Returns the exit status.
int checkInstall(const QString& translationsFile);
