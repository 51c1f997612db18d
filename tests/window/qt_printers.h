#pragma once

#include <ostream>

#include <QString>

// Lets GoogleTest print Qt's strings in its failure messages, as text.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text;
}
