// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/arguments.h"

#include <algorithm>
#include <array>
#include <string_view>

#if defined(_WIN32)
#include <windows.h>

#include <shellapi.h>
#endif

namespace tarquel {

namespace {

// The toolkit's documented window options: those that take the next word
// as their value, and plain switches. Each may also be written with two
// dashes, and the style options as -style=NAME.
constexpr std::array<std::string_view, 15> kWithValue{"platform",
                                                      "platformpluginpath",
                                                      "platformtheme",
                                                      "plugin",
                                                      "qwindowgeometry",
                                                      "qwindowicon",
                                                      "qwindowtitle",
                                                      "session",
                                                      "display",
                                                      "geometry",
                                                      "title",
                                                      "icon",
                                                      "name",
                                                      "style",
                                                      "stylesheet"};
constexpr std::array<std::string_view, 5> kSwitches{"reverse", "widgetcount", "testability",
                                                    "nograb", "dograb"};

// The option's name without its dashes; empty when the word is no
// single-word toolkit option.
QString toolkitName(const QString& word)
{
    if (!word.startsWith(QLatin1Char('-')) || word == QLatin1String("--"))
        return {};
    return word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1);
}

bool listed(const auto& names, const QString& name)
{
    return std::any_of(names.begin(), names.end(), [&](std::string_view n) {
        return name == QLatin1String(n.data(), static_cast<qsizetype>(n.size()));
    });
}

} // namespace

QStringList rawArguments(int argc, char** argv)
{
    QStringList words;
#if defined(_WIN32)
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; wide && i < count; ++i)
        words << QString::fromWCharArray(wide[i]);
    LocalFree(wide);
#else
    for (int i = 0; i < argc; ++i)
        words << QString::fromLatin1(argv[i]);
#endif
    return words;
}

std::filesystem::path argumentPath(const QString& word)
{
#if defined(_WIN32)
    return std::filesystem::path(word.toStdWString());
#else
    return std::filesystem::path(word.toLatin1().toStdString());
#endif
}

QString argumentText(const QString& word)
{
#if defined(_WIN32)
    return word;
#else
    return QString::fromLocal8Bit(word.toLatin1());
#endif
}

QStringList withoutToolkitOptions(const QStringList& words)
{
    QStringList rest;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString name = toolkitName(words[i]);
        if (i > 0 && listed(kWithValue, name) && i + 1 < words.size())
            ++i; // and its value
        else if (i > 0 && (listed(kSwitches, name) || name.startsWith(QLatin1String("style=")) ||
                           name.startsWith(QLatin1String("stylesheet="))))
            continue;
        else
            rest << words[i];
    }
    return rest;
}

bool choosesPlatform(const QStringList& words)
{
    return words.contains(QLatin1String("-platform")) ||
           words.contains(QLatin1String("--platform"));
}

} // namespace tarquel
