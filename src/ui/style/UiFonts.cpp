#include "UiFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

struct FaceChoice {
    QString preferred;
    QString substitute;
};

FaceChoice choiceFor(UiFace face)
{
    switch (face) {
    case UiFace::MsGothic:
        return {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("Noto Sans Mono CJK JP")};
    case UiFace::MeiryoUi:
        return {QStringLiteral("Meiryo UI"), QStringLiteral("Noto Sans CJK JP")};
    case UiFace::MsUiGothic:
        return {QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")};
    }
    Q_UNREACHABLE();
}

} // namespace

QString uiFamily(UiFace face)
{
    const FaceChoice choice = choiceFor(face);
    // Fontconfig would happily match a missing family to some Latin-only face;
    // only the installed list tells whether the Japanese face is really there.
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(choice.preferred))
        return choice.preferred;
    return choice.substitute;
}

QFont uiFont(UiFace face, int pixelHeight, bool bold)
{
    QFont font(uiFamily(face));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    if (face == UiFace::MsGothic) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    return font;
}
