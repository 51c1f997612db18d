#pragma once

#include <ostream>

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>

// Lets GoogleTest print Qt's strings in its failure messages, as text.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text;
}

inline void PrintTo(const QColor& colour, std::ostream* out) {
    *out << colour.name().toStdString();
}

inline void PrintTo(const QPoint& point, std::ostream* out) {
    *out << '(' << point.x() << ", " << point.y() << ')';
}

inline void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << 'x' << size.height();
}
