// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/fonts.h"

#include "window/layout.h"
#include "window/text.h"

#include <QFontDatabase>

namespace tarquel {

QStringList hangulFamilies()
{
    // The design's "System" where it has Hangul, then the platform's own
    // Korean user-interface fonts, nearest in look to a plain bold face.
    QStringList preferred{fromUtf8(layout::kFontFamily)};
#if defined(Q_OS_WIN)
    preferred << QStringLiteral("Malgun Gothic") << QStringLiteral("Gulim")
              << QStringLiteral("Dotum");
#elif defined(Q_OS_DARWIN)
    preferred << QStringLiteral("Apple SD Gothic Neo") << QStringLiteral("AppleGothic");
#else
    preferred << QStringLiteral("NanumGothic") << QStringLiteral("NanumBarunGothic")
              << QStringLiteral("Noto Sans CJK KR") << QStringLiteral("Noto Sans KR")
              << QStringLiteral("UnDotum") << QStringLiteral("Baekmuk Gulim");
#endif
    const QStringList korean = QFontDatabase::families(QFontDatabase::Korean);
    QStringList found;
    for (const QString& candidate : preferred)
        if (korean.contains(candidate))
            found << candidate;
    // Then any family with Hangul.
    for (const QString& family : korean)
        if (!found.contains(family))
            found << family;
    return found;
}

QFont windowFont()
{
    const QStringList families = hangulFamilies();
    QFont font(families.isEmpty() ? fromUtf8(layout::kFontFamily) : families.front());
    font.setPointSizeF(layout::kFontPointSize);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QString missingHangulNotice()
{
    if (!QFontDatabase::families(QFontDatabase::Korean).isEmpty())
        return {};
#if defined(Q_OS_WIN)
    const char* what = "a Korean font such as Malgun Gothic (Settings, Time & Language, Language)";
#elif defined(Q_OS_DARWIN)
    const char* what = "a Korean font such as Apple SD Gothic Neo";
#else
    const char* what = "one, e.g. fonts-nanum or fonts-noto-cjk";
#endif
    return QStringLiteral("tarquel: no installed font has Hangul, so the Korean texts show as "
                          "empty boxes; install %1")
        .arg(QString::fromLatin1(what));
}

} // namespace tarquel
