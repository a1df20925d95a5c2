#include "controls/propertybag/property_bag_text.h"

#include <QStringList>

#include <charconv>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// ---- writing ---------------------------------------------------------------

QString quoted(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += u"\\\\"_s;
            break;
        case u'"':
            out += u"\\\""_s;
            break;
        case u'\n':
            out += u"\\n"_s;
            break;
        case u'\r':
            out += u"\\r"_s;
            break;
        case u'\t':
            out += u"\\t"_s;
            break;
        default:
            // Control characters and surrogate halves are written as escapes
            // so the text survives any encoding the host stores it in.
            if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSurrogate())
                out += u"\\u"_s + QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString booleanText(bool value)
{
    return value ? u"True"_s : u"False"_s;
}

QString sizeText(double size)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, size);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString valueText(const PropertyValue &value)
{
    struct Writer
    {
        QString operator()(const QString &text) const { return quoted(text); }
        QString operator()(qint32 number) const { return QString::number(number); }
        QString operator()(bool flag) const { return booleanText(flag); }
        QString operator()(OleColor colour) const
        {
            return u"&H"_s + QString::number(colour.value(), 16).toUpper().rightJustified(8, u'0') + u'&';
        }
        QString operator()(const FontValue &font) const
        {
            return u"Font(%1, %2, Bold=%3, Italic=%4, Underline=%5, Strikethrough=%6, Charset=%7)"_s.arg(
                quoted(font.name), sizeText(font.size), booleanText(font.bold), booleanText(font.italic),
                booleanText(font.underline), booleanText(font.strikethrough), QString::number(font.charset));
        }
        QString operator()(const PictureValue &picture) const
        {
            return u"Picture(\""_s + QString::fromLatin1(picture.data.toBase64()) + u"\")"_s;
        }
    };
    return std::visit(Writer{}, value);
}

// ---- reading ---------------------------------------------------------------

// Reads one line; every parse function returns false and sets `error`.
class LineReader
{
public:
    explicit LineReader(QStringView line) : m_line(line) {}

    QString error;

    void skipSpaces()
    {
        while (m_pos < m_line.size() && (m_line[m_pos] == u' ' || m_line[m_pos] == u'\t'))
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_line.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_line[m_pos]; }

    bool expect(QChar c)
    {
        skipSpaces();
        if (peek() != c)
            return fail(u"'%1' expected"_s.arg(c));
        ++m_pos;
        return true;
    }

    QString word()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && (peek().isLetterOrNumber() || peek() == u'_') && peek().unicode() < 0x80)
            ++m_pos;
        return m_line.sliced(start, m_pos - start).toString();
    }

    bool name(QString &out)
    {
        skipSpaces();
        out = word();
        if (!PropertyBag::isValidName(out))
            return fail(u"a property name expected"_s);
        return true;
    }

    bool value(PropertyValue &out)
    {
        skipSpaces();
        const QChar c = peek();
        if (c == u'"') {
            QString text;
            if (!quotedText(text))
                return false;
            out = text;
            return true;
        }
        if (c == u'&')
            return colour(out);
        if (c == u'-' || c.isDigit()) {
            qint32 number = 0;
            if (!integer(number))
                return false;
            out = number;
            return true;
        }
        const QString keyword = word();
        if (keyword.compare(u"True"_s, Qt::CaseInsensitive) == 0) {
            out = true;
            return true;
        }
        if (keyword.compare(u"False"_s, Qt::CaseInsensitive) == 0) {
            out = false;
            return true;
        }
        if (keyword.compare(u"Font"_s, Qt::CaseInsensitive) == 0)
            return font(out);
        if (keyword.compare(u"Picture"_s, Qt::CaseInsensitive) == 0)
            return picture(out);
        return fail(u"a value expected"_s);
    }

    bool end()
    {
        skipSpaces();
        return atEnd() || fail(u"end of line expected"_s);
    }

private:
    bool fail(const QString &message)
    {
        if (error.isEmpty())
            error = u"column %1: %2"_s.arg(m_pos + 1).arg(message);
        return false;
    }

    bool quotedText(QString &out)
    {
        ++m_pos; // opening quote
        while (!atEnd()) {
            const QChar c = m_line[m_pos++];
            if (c == u'"')
                return true;
            if (c != u'\\') {
                out += c;
                continue;
            }
            if (atEnd())
                break;
            const QChar escape = m_line[m_pos++];
            switch (escape.unicode()) {
            case u'\\':
                out += u'\\';
                break;
            case u'"':
                out += u'"';
                break;
            case u'n':
                out += u'\n';
                break;
            case u'r':
                out += u'\r';
                break;
            case u't':
                out += u'\t';
                break;
            case u'u': {
                if (m_pos + 4 > m_line.size())
                    return fail(u"four hex digits expected after \\u"_s);
                bool ok = false;
                const uint code = m_line.sliced(m_pos, 4).toUInt(&ok, 16);
                if (!ok)
                    return fail(u"four hex digits expected after \\u"_s);
                m_pos += 4;
                out += QChar(char16_t(code));
                break;
            }
            default:
                return fail(u"unknown escape \\%1"_s.arg(escape));
            }
        }
        return fail(u"closing quote missing"_s);
    }

    bool integer(qint32 &out)
    {
        const qsizetype start = m_pos;
        if (peek() == u'-')
            ++m_pos;
        while (!atEnd() && peek().isDigit() && peek().unicode() < 0x80)
            ++m_pos;
        bool ok = false;
        const qlonglong number = m_line.sliced(start, m_pos - start).toLongLong(&ok);
        if (!ok || number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
            return fail(u"a whole number of 32 bits expected"_s);
        out = qint32(number);
        return true;
    }

    bool colour(PropertyValue &out)
    {
        ++m_pos; // '&'
        if (peek() != u'H' && peek() != u'h')
            return fail(u"&H expected"_s);
        ++m_pos;
        const qsizetype start = m_pos;
        while (!atEnd() && isHexDigit(peek()))
            ++m_pos;
        const qsizetype digits = m_pos - start;
        if (digits < 1 || digits > 8)
            return fail(u"one to eight hex digits expected"_s);
        const uint value = m_line.sliced(start, digits).toUInt(nullptr, 16);
        if (peek() == u'&')
            ++m_pos;
        out = OleColor(value);
        return true;
    }

    static bool isHexDigit(QChar c)
    {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    }

    bool fontSize(double &out)
    {
        skipSpaces();
        const qsizetype start = m_pos;
        while (!atEnd() && (peek().isDigit() || peek() == u'.' || peek() == u'e' || peek() == u'E' || peek() == u'+' ||
                            peek() == u'-'))
            ++m_pos;
        const QByteArray latin = m_line.sliced(start, m_pos - start).toLatin1();
        const auto result = std::from_chars(latin.data(), latin.data() + latin.size(), out);
        if (latin.isEmpty() || result.ec != std::errc() || result.ptr != latin.data() + latin.size() ||
            !std::isfinite(out) || out <= 0)
            return fail(u"a font size in points expected"_s);
        return true;
    }

    bool booleanWord(bool &out)
    {
        skipSpaces();
        const QString keyword = word();
        if (keyword.compare(u"True"_s, Qt::CaseInsensitive) == 0)
            out = true;
        else if (keyword.compare(u"False"_s, Qt::CaseInsensitive) == 0)
            out = false;
        else
            return fail(u"True or False expected"_s);
        return true;
    }

    bool font(PropertyValue &out)
    {
        FontValue font;
        if (!expect(u'('))
            return false;
        skipSpaces();
        if (peek() != u'"')
            return fail(u"a font name expected"_s);
        if (!quotedText(font.name) || !expect(u',') || !fontSize(font.size))
            return false;
        QStringList seen;
        for (;;) {
            skipSpaces();
            if (peek() == u')') {
                ++m_pos;
                out = font;
                return true;
            }
            if (!expect(u','))
                return false;
            skipSpaces();
            const QString key = word();
            if (seen.contains(key, Qt::CaseInsensitive))
                return fail(u"%1 given twice"_s.arg(key));
            seen.append(key);
            if (!expect(u'='))
                return false;
            bool ok = true;
            if (key.compare(u"Bold"_s, Qt::CaseInsensitive) == 0)
                ok = booleanWord(font.bold);
            else if (key.compare(u"Italic"_s, Qt::CaseInsensitive) == 0)
                ok = booleanWord(font.italic);
            else if (key.compare(u"Underline"_s, Qt::CaseInsensitive) == 0)
                ok = booleanWord(font.underline);
            else if (key.compare(u"Strikethrough"_s, Qt::CaseInsensitive) == 0)
                ok = booleanWord(font.strikethrough);
            else if (key.compare(u"Charset"_s, Qt::CaseInsensitive) == 0) {
                skipSpaces();
                qint32 charset = 0;
                ok = integer(charset);
                if (ok && (charset < 0 || charset > 255))
                    return fail(u"a charset from 0 to 255 expected"_s);
                font.charset = qint16(charset);
            } else
                return fail(u"unknown font attribute %1"_s.arg(key));
            if (!ok)
                return false;
        }
    }

    bool picture(PropertyValue &out)
    {
        if (!expect(u'('))
            return false;
        skipSpaces();
        if (peek() != u'"')
            return fail(u"quoted picture data expected"_s);
        QString base64;
        if (!quotedText(base64) || !expect(u')'))
            return false;
        const auto decoded = QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            return fail(u"picture data is not base64"_s);
        out = PictureValue{decoded.decoded};
        return true;
    }

    QStringView m_line;
    qsizetype m_pos = 0;
};

} // namespace

QString propertyBagToText(const PropertyBag &bag)
{
    QString text;
    for (const QString &name : bag.names())
        text += name + u" = "_s + valueText(*bag.value(name)) + u'\n';
    return text;
}

std::optional<PropertyBag> propertyBagFromText(QStringView text, PropertyBagTextError *error)
{
    PropertyBag bag;
    int lineNumber = 0;
    for (QStringView line : text.split(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;

        LineReader reader(line);
        QString name;
        PropertyValue value;
        bool ok = reader.name(name) && reader.expect(u'=') && reader.value(value) && reader.end();
        if (ok && bag.contains(name)) {
            reader.error = u"%1 given twice"_s.arg(name);
            ok = false;
        }
        if (!ok) {
            if (error)
                *error = {lineNumber, reader.error};
            return std::nullopt;
        }
        bag.setValue(name, value);
    }
    return bag;
}

} // namespace kelvora
