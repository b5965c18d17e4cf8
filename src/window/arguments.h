// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>

namespace tarquel {

// The words of the command line, read without loss. On POSIX each byte of
// an argument is one character (Latin-1), so that the option parser sees
// ASCII option names as they are and a file name goes back to the exact
// bytes the system gave; on Windows they are the wide command line's UTF-16.
QStringList rawArguments(int argc, char** argv);

// A word of rawArguments() as the path it names, byte for byte.
std::filesystem::path argumentPath(const QString& word);

// A word of rawArguments() as the text the user typed: a bound, a command,
// a word in a message.
QString argumentText(const QString& word);

// The words without the toolkit's own window options (-style fusion,
// -platform xcb, -reverse, ...) and their values, which the window leaves to
// the toolkit. The first word is the program.
QStringList withoutToolkitOptions(const QStringList& words);

// Whether the words choose a platform of their own (-platform NAME).
bool choosesPlatform(const QStringList& words);

} // namespace tarquel
