#pragma once

#include <ostream>

#include <QColor>
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
