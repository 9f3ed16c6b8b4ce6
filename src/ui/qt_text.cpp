#include "ui/qt_text.h"

#include <QStringDecoder>
#include <QStringList>
#include <array>

#include "core/text.h"

namespace zav {

QString ToQt(const std::string& bytes) {
    // One letter per byte: the code page's table, taken from Qt's decoder once, so that the many short
    // texts of a list (every cell it shows) are converted without a decoder each.
    static const std::array<char16_t, 256> letters = [] {
        std::array<char16_t, 256> table{};
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            QStringDecoder decoder("windows-1252");
            const QString letter = decoder.decode(QByteArrayView(&byte, 1));
            table[static_cast<std::size_t>(b)] = letter.isEmpty() ? u'\uFFFD' : letter.front().unicode();
        }
        return table;
    }();
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) *out++ = QChar(letters[static_cast<unsigned char>(c)]);
    return text;
}

std::string FromQt(const QString& text) {
    // Windows-1252 is Latin-1 except for 0x80-0x9F, which hold letters from elsewhere in Unicode.
    static const QString upperControls = [] {
        std::string bytes;
        for (int b = 0x80; b <= 0x9F; ++b) bytes += static_cast<char>(b);
        return ToQt(bytes);
    }();
    std::string out;
    for (const char32_t u : text.toUcs4()) {
        const qsizetype at = u > 0xFFFF ? -1 : upperControls.indexOf(QChar(static_cast<char16_t>(u)));
        if (at >= 0 && u != 0xFFFD)
            out += static_cast<char>(0x80 + at);
        else if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
            out += static_cast<char>(u);
        else
            out += '?';
    }
    return out;
}

QString MessageText(const std::string& text) { return ToQt(ReplaceAll(ReplaceAll(text, "\r\n", "\n"), "\r", "\n")); }

QString QtFileFilter(const std::string& filter) {
    const std::vector<std::string> parts = Split(filter, "|");
    QStringList filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        QString description = ToQt(parts[i]).trimmed();
        if (description.endsWith(')') && description.contains('('))
            description = description.left(description.lastIndexOf('(')).trimmed();
        QStringList patterns;
        for (const std::string& p : Split(parts[i + 1], ";")) {
            const QString pattern = ToQt(std::string(Trim(p)));
            if (pattern == "*.*" || pattern == "*") {
                patterns << "*";
                continue;
            }
            patterns << pattern;
            if (pattern.toUpper() != pattern) patterns << pattern.toUpper();
        }
        filters << description + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

}  // namespace zav
