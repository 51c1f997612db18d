#include "fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace quorvel {
namespace {

#ifdef Q_OS_WIN
QString InstalledFamily(const QString& family, bool) {
    // Windows has both faces. "MS Sans Serif" is a bitmap face drawn at a few
    // sizes only; its TrueType successor, of the same shape and width, stays
    // crisp at every scale.
    if (family == QLatin1String("MS Sans Serif")) {
        return QStringLiteral("Microsoft Sans Serif");
    }
    return family;
}
#else
QString InstalledFamily(const QString& family, bool serif) {
    static QHash<QString, QString> resolved;
    if (const auto found = resolved.constFind(family); found != resolved.constEnd()) {
        return *found;
    }
    QStringList candidates{family};
    if (serif) {
        candidates << QStringLiteral("Liberation Serif") << QStringLiteral("Tinos")
                   << QStringLiteral("DejaVu Serif");
    } else {
        candidates << QStringLiteral("Microsoft Sans Serif") << QStringLiteral("Liberation Sans")
                   << QStringLiteral("Arimo") << QStringLiteral("Arial")
                   << QStringLiteral("DejaVu Sans");
    }
    const QStringList installed = QFontDatabase::families();
    QString choice = family; // none installed: the platform's own fallback decides
    for (const QString& candidate : candidates) {
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            choice = candidate;
            break;
        }
    }
    resolved.insert(family, choice);
    return choice;
}
#endif

} // namespace

QFont MakeFont(const FontFace& face) {
    QFont font(InstalledFamily(QString::fromLatin1(face.family), face.serif));
    font.setStyleHint(face.serif ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(face.points);
    font.setWeight(face.bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace quorvel
