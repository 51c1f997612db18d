#include "fonts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string_view>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QRadioButton>
#include <QRect>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>

namespace quorvel {
namespace {

// Faces drawn to the same widths as the layout's own, best first. "MS Sans
// Serif" is a bitmap face drawn at a few sizes only: its TrueType successor, of
// the same shape and width, stays crisp at every scale and comes before it.
struct SameWidths {
    const char* face;
    std::array<const char*, 3> families;
};
constexpr std::array kSameWidths = {
    SameWidths{"MS Sans Serif", {"Microsoft Sans Serif", "Liberation Sans", "Arimo"}},
    SameWidths{"Times New Roman", {"Times New Roman", "Liberation Serif", "Tinos"}},
};

// Common faces of each kind, for a machine that has none of the above.
constexpr std::array kSansFaces = {"Arial",       "Helvetica", "Nimbus Sans", "FreeSans",
                                   "DejaVu Sans", "Noto Sans", "Tahoma",      "Verdana",
                                   "Segoe UI",    "Cantarell"};
constexpr std::array kSerifFaces = {"Times",      "Nimbus Roman", "FreeSerif", "DejaVu Serif",
                                    "Noto Serif", "Georgia",      "Cambria"};

// Faces whose characters are pictures or formulas rather than text, and the
// vertical variants Windows lists with a leading @.
bool isPictureFace(const QString& family) {
    static const char* const kinds[] = {"symbol",  "math",    "dings", "wingding",
                                        "webding", "marlett", "emoji", "icon"};
    if (family.startsWith(QLatin1Char('@'))) {
        return true;
    }
    for (const char* kind : kinds) {
        if (family.contains(QLatin1String(kind), Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

// Whether `family` draws the window's texts: Latin letters, digits and colons.
// It loads the face, so it is asked only once the faces of known widths are missing.
bool drawsTheTexts(const QString& family) {
    if (isPictureFace(family)) {
        return false;
    }
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
    if (!systems.contains(QFontDatabase::Latin) || systems.contains(QFontDatabase::Symbol)) {
        return false;
    }
    const QFontMetrics metrics{QFont(family)};
    for (const char c : std::string_view("0123456789AZaz:")) {
        if (!metrics.inFont(QLatin1Char(c))) {
            return false;
        }
    }
    return true;
}

bool isOfKind(const QString& family, bool serif) {
    if (family.contains(QLatin1String("Mono"), Qt::CaseInsensitive)) {
        return false;
    }
    const bool sans = family.contains(QLatin1String("Sans"), Qt::CaseInsensitive);
    return serif ? !sans && family.contains(QLatin1String("Serif"), Qt::CaseInsensitive) : sans;
}

QString installedFamily(const QString& face, bool serif) {
    const QStringList installed = QFontDatabase::families();
    const auto isInstalled = [&installed](const QString& family) {
        return installed.contains(family, Qt::CaseInsensitive);
    };
    for (const SameWidths& known : kSameWidths) {
        if (face == QLatin1String(known.face)) {
            for (const char* family : known.families) {
                if (isInstalled(QLatin1String(family))) {
                    return QLatin1String(family);
                }
            }
        }
    }
    if (isInstalled(face)) {
        return face;
    }
    for (const char* family : serif ? std::span<const char* const>(kSerifFaces)
                                    : std::span<const char* const>(kSansFaces)) {
        if (isInstalled(QLatin1String(family)) && drawsTheTexts(QLatin1String(family))) {
            return QLatin1String(family);
        }
    }
    for (const bool ofKind : {true, false}) {
        for (const QString& family : installed) {
            if ((!ofKind || isOfKind(family, serif)) && drawsTheTexts(family)) {
                return family;
            }
        }
    }
    return face; // nothing draws the texts: the platform's own fallback decides
}

} // namespace

bool drawnToTheLayoutsWidths(const QFont& font) {
    const auto is = [&font](const char* family) {
        return font.family().compare(QLatin1String(family), Qt::CaseInsensitive) == 0;
    };
    for (const SameWidths& known : kSameWidths) {
        if (is(known.face)) {
            return true;
        }
        for (const char* family : known.families) {
            if (is(family)) {
                return true;
            }
        }
    }
    return false;
}

QFont makeFont(const FontFace& face) {
    static QHash<QString, QString> resolved;
    const QString family = QString::fromLatin1(face.family);
    auto found = resolved.constFind(family);
    if (found == resolved.constEnd()) {
        found = resolved.insert(family, installedFamily(family, face.serif));
    }
    QFont font(*found);
    font.setStyleHint(face.serif ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(face.points);
    font.setWeight(face.bold ? QFont::Bold : QFont::Normal);
    return font;
}

namespace {

// The text's width from its characters' own advances. Shaping the text would
// set up the shaper once more for every size tried; all it changes in these
// Latin texts is kerning, a fraction of a pixel either way at these sizes,
// which the pixel of room that fitting keeps inside the edge covers.
qreal unshapedAdvance(const QFontMetricsF& metrics, const QString& text) {
    qreal advance = 0;
    for (const QChar c : text) {
        advance += metrics.horizontalAdvance(c);
    }
    return advance;
}

} // namespace

bool textFits(const QFont& font, const QString& text, QSize room, Qt::Alignment alignment,
              bool wholeAdvance) {
    if (text.isEmpty()) {
        return true;
    }
    // The ink, not the advance: a colon's blank right bearing may overhang the
    // box. Only the outer characters' bearings move the ink's ends.
    const QFontMetricsF metrics(font);
    const qreal advance = unshapedAdvance(metrics, text);
    const qreal inkLeft = metrics.leftBearing(text.front());
    const qreal inkRight = advance - metrics.rightBearing(text.back());
    const qreal width = room.width();
    // Text set against one edge starts there by design and can only be cut at
    // the other; centred text at either. The ink keeps a pixel clear of such an
    // edge, so that a renderer that draws a column wider than measured, or
    // rounds the other way, does not cut it.
    constexpr qreal kClear = 1;
    bool inkFits = false;
    if (alignment & Qt::AlignRight) {
        inkFits = width - advance + inkLeft >= kClear;
    } else if (alignment & Qt::AlignHCenter) {
        const qreal start = (width - advance) / 2;
        inkFits = start + inkLeft >= kClear && start + inkRight <= width - kClear;
    } else {
        inkFits = inkRight <= width - kClear;
    }
    return inkFits && metrics.height() <= room.height() && (!wholeAdvance || advance <= width);
}

QFont fitText(const QFont& font, const QString& text, QSize room, Qt::Alignment alignment,
              bool wholeAdvance) {
    if (textFits(font, text, room, alignment, wholeAdvance)) {
        return font;
    }
    // Smaller sizes rather than a condensed stretch: every font engine draws a
    // size as asked, where a stretch is a condensed face on one machine, a
    // synthesised one on another and ignored on a third.
    constexpr double kStep = 0.25;
    constexpr double kSmallest = 4;
    const auto fits = [&](const QFont& candidate) {
        return textFits(candidate, text, room, alignment, wholeAdvance);
    };
    // Each size tried sets up a font engine, so the search starts where the
    // text's size in proportion to its room points, then goes by steps to the
    // largest size that fits.
    const QFontMetricsF metrics(font);
    const qreal width =
        unshapedAdvance(metrics, text) - std::min(metrics.rightBearing(text.back()), qreal(0));
    const qreal proportion =
        std::min(room.width() / std::max(width, qreal(1)), room.height() / metrics.height());
    QFont fitted = font;
    fitted.setPointSizeF(
        std::max(kSmallest, std::floor(font.pointSizeF() * proportion / kStep) * kStep));
    while (!fits(fitted) && fitted.pointSizeF() - kStep >= kSmallest) {
        fitted.setPointSizeF(fitted.pointSizeF() - kStep);
    }
    for (QFont larger = fitted; larger.pointSizeF() + kStep < font.pointSizeF();) {
        larger.setPointSizeF(larger.pointSizeF() + kStep);
        if (!fits(larger)) {
            break;
        }
        fitted = larger;
    }
    return fitted;
}

void fitCaption(QWidget* control, const ControlRow& row, const QString& caption,
                Qt::Alignment alignment, std::span<const ControlRow> layout) {
    if (drawnToTheLayoutsWidths(control->font())) {
        return;
    }
    QSize room = control->contentsRect().size();
    if (auto* option = qobject_cast<QRadioButton*>(control)) {
        QStyleOptionButton style;
        style.initFrom(option);
        style.text = option->text();
        room =
            option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option).size();
        alignment = Qt::AlignLeft;
    } else if (row.sizedToText) {
        room = QSize(twipsToPixels(rightLimitTwips(layout, row) - row.left), QWIDGETSIZE_MAX);
    }
    const QFont fitted = fitText(control->font(), caption, room, alignment, row.sizedToText);
    if (fitted != control->font()) {
        control->setFont(fitted);
    }
}

} // namespace quorvel
