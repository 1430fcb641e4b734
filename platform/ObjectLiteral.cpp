#include "platform/ObjectLiteral.h"

#include <QHash>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace objlit {

const Value *Value::property(QStringView name) const
{
    if (m_kind != Kind::Object)
        return nullptr;
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i] == name)
            return &m_elements[i];
    }
    return nullptr;
}

std::optional<QString> Value::text() const
{
    switch (m_kind) {
    case Kind::String:
        return m_string;
    case Kind::Number:
        return numberText(m_number);
    case Kind::Boolean:
        return m_boolean ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return std::nullopt;
    }
}

namespace {

bool isLineTerminator(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == 0x00A0 || c == 0xFEFF
           || isLineTerminator(c) || QChar(c).category() == QChar::Separator_Space;
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool isIdentifierStart(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'$'
           || (c > 0x7F && QChar(c).isLetter());
}

bool isIdentifierPart(char16_t c)
{
    return isIdentifierStart(c) || isDigit(c) || (c > 0x7F && QChar(c).isLetterOrNumber());
}

} // namespace

// Recursive descent over the text; every failure unwinds with false and the
// caller discards what was built.
class Parser
{
public:
    Parser(QStringView text, const Limits &limits) : m_text(text), m_limits(limits) {}

    bool parseWhole(Value &out)
    {
        skipBlanks();
        if (!parseValue(out, 0))
            return false;
        skipBlanks();
        return atEnd();
    }

private:
    QStringView m_text;
    const Limits &m_limits;
    qsizetype m_pos = 0;

    bool atEnd() const { return m_pos >= m_text.size(); }
    char16_t peek(qsizetype ahead = 0) const
    {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead].unicode() : u'\0';
    }
    bool accept(char16_t c)
    {
        if (atEnd() || peek() != c)
            return false;
        ++m_pos;
        return true;
    }
    void skipBlanks()
    {
        while (!atEnd() && isBlank(peek()))
            ++m_pos;
    }
    bool acceptWord(QStringView word)
    {
        if (m_text.sliced(m_pos).startsWith(word) && !isIdentifierPart(peek(word.size()))) {
            m_pos += word.size();
            return true;
        }
        return false;
    }

    bool parseValue(Value &out, int depth)
    {
        if (atEnd())
            return false;
        const char16_t c = peek();
        if (c == u'(' || c == u'{' || c == u'[') {
            if (depth >= m_limits.maxDepth)
                return false;
            if (c == u'(')
                return parseParenthesised(out, depth + 1);
            return c == u'{' ? parseObject(out, depth + 1) : parseArray(out, depth + 1);
        }
        if (c == u'\'' || c == u'"') {
            out.m_kind = Value::Kind::String;
            return parseString(out.m_string);
        }
        if (c == u'-' || c == u'+')
            return parseSignedNumber(out);
        if (isDigit(c) || c == u'.') {
            out.m_kind = Value::Kind::Number;
            return parseNumber(out.m_number);
        }
        for (const bool word : {true, false}) {
            if (acceptWord(word ? u"true" : u"false")) {
                out.m_kind = Value::Kind::Boolean;
                out.m_boolean = word;
                return true;
            }
        }
        if (acceptWord(u"null")) {
            out.m_kind = Value::Kind::Null;
            return true;
        }
        return false;
    }

    bool parseParenthesised(Value &out, int depth)
    {
        ++m_pos;
        skipBlanks();
        if (!parseValue(out, depth))
            return false;
        skipBlanks();
        return accept(u')');
    }

    bool parseObject(Value &out, int depth)
    {
        ++m_pos;
        out.m_kind = Value::Kind::Object;
        QHash<QString, size_t> index; // a later duplicate key replaces the earlier value
        skipBlanks();
        while (!accept(u'}')) {
            QString key;
            if (!parseKey(key))
                return false;
            skipBlanks();
            if (!accept(u':'))
                return false;
            skipBlanks();
            Value value;
            if (!parseValue(value, depth))
                return false;
            const auto found = index.constFind(key);
            if (found != index.constEnd()) {
                out.m_elements[*found] = std::move(value);
            } else {
                index.insert(key, out.m_keys.size());
                out.m_keys.push_back(std::move(key));
                out.m_elements.push_back(std::move(value));
            }
            skipBlanks();
            if (accept(u',')) {
                skipBlanks();
                continue;
            }
            if (!accept(u'}'))
                return false;
            break;
        }
        return true;
    }

    bool parseArray(Value &out, int depth)
    {
        ++m_pos;
        out.m_kind = Value::Kind::Array;
        skipBlanks();
        while (!accept(u']')) {
            Value value;
            if (!parseValue(value, depth))
                return false;
            out.m_elements.push_back(std::move(value));
            skipBlanks();
            if (accept(u',')) {
                skipBlanks();
                continue;
            }
            if (!accept(u']'))
                return false;
            break;
        }
        return true;
    }

    // A property name: an identifier, a string or a number (named by its text).
    bool parseKey(QString &key)
    {
        const char16_t c = peek();
        if (c == u'\'' || c == u'"')
            return parseString(key);
        if (isDigit(c) || c == u'.') {
            double number = 0;
            if (!parseNumber(number))
                return false;
            key = numberText(number);
            return true;
        }
        if (!isIdentifierStart(c))
            return false;
        const qsizetype start = m_pos;
        while (!atEnd() && isIdentifierPart(peek()))
            ++m_pos;
        key = m_text.sliced(start, m_pos - start).toString();
        return true;
    }

    bool parseSignedNumber(Value &out)
    {
        bool negative = false;
        while (!atEnd() && (peek() == u'-' || peek() == u'+')) {
            const char16_t sign = peek();
            if (peek(1) == sign)
                return false; // "--5" is a decrement, not a number
            negative ^= sign == u'-';
            ++m_pos;
            skipBlanks();
        }
        if (!isDigit(peek()) && peek() != u'.')
            return false;
        out.m_kind = Value::Kind::Number;
        if (!parseNumber(out.m_number))
            return false;
        if (negative)
            out.m_number = -out.m_number;
        return true;
    }

    bool parseNumber(double &number)
    {
        if (peek() == u'0' && (peek(1) == u'x' || peek(1) == u'X')) {
            m_pos += 2;
            if (hexValue(peek()) < 0)
                return false;
            number = 0;
            while (!atEnd() && hexValue(peek()) >= 0)
                number = number * 16 + hexValue(m_text[m_pos++].unicode());
            return !isIdentifierPart(peek());
        }
        std::string digits;
        auto takeDigits = [&] {
            bool any = false;
            while (!atEnd() && isDigit(peek())) {
                digits += char(m_text[m_pos++].unicode());
                any = true;
            }
            return any;
        };
        bool mantissa = takeDigits();
        if (accept(u'.')) {
            digits += '.';
            mantissa = takeDigits() || mantissa;
        }
        if (!mantissa)
            return false;
        if (peek() == u'e' || peek() == u'E') {
            digits += 'e';
            ++m_pos;
            if (peek() == u'+' || peek() == u'-')
                digits += char(m_text[m_pos++].unicode());
            if (!takeDigits())
                return false;
        }
        if (isIdentifierPart(peek())) // "3in" is no number
            return false;
        if (digits.front() == '.')
            digits.insert(digits.begin(), '0');
        const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (result.ec == std::errc::result_out_of_range) {
            // Too large reads as infinity, too small as zero, as script does.
            const auto e = digits.find('e');
            const bool tiny = e != std::string::npos && digits[e + 1] == '-';
            number = tiny ? 0.0 : HUGE_VAL;
        } else if (result.ec != std::errc()) {
            return false;
        }
        return true;
    }

    bool parseString(QString &out)
    {
        const char16_t quote = m_text[m_pos++].unicode();
        out.clear();
        for (;;) {
            // Plain characters are taken a run at a time.
            const qsizetype start = m_pos;
            while (!atEnd() && peek() != quote && peek() != u'\\' && peek() != u'\n' && peek() != u'\r')
                ++m_pos;
            out += m_text.sliced(start, m_pos - start);
            if (atEnd())
                return false; // no closing quote
            const char16_t c = m_text[m_pos++].unicode();
            if (c == quote)
                return true;
            if (c != u'\\')
                return false; // a string cannot span lines
            if (atEnd() || !parseEscape(out))
                return false;
        }
    }

    bool parseEscape(QString &out)
    {
        const char16_t c = m_text[m_pos++].unicode();
        switch (c) {
        case u'b': out += QChar(u'\b'); return true;
        case u'f': out += QChar(u'\f'); return true;
        case u'n': out += QChar(u'\n'); return true;
        case u'r': out += QChar(u'\r'); return true;
        case u't': out += QChar(u'\t'); return true;
        case u'v': out += QChar(u'\v'); return true;
        case u'x': return parseHexEscape(out, 2);
        case u'u': return parseHexEscape(out, 4);
        case u'\r':
            accept(u'\n'); // a line continuation adds nothing
            return true;
        case u'\n':
        case 0x2028:
        case 0x2029:
            return true;
        default:
            break;
        }
        if (c == u'0' && !isDigit(peek())) {
            out += QChar(u'\0');
            return true;
        }
        if (isDigit(c))
            return false; // octal escapes are not read
        out += QChar(c);  // \' \" \\ and any other character stand for themselves
        return true;
    }

    bool parseHexEscape(QString &out, int count)
    {
        char16_t code = 0;
        for (int i = 0; i < count; ++i) {
            const int digit = hexValue(peek());
            if (digit < 0)
                return false;
            code = char16_t(code * 16 + digit);
            ++m_pos;
        }
        out += QChar(code);
        return true;
    }
};

std::optional<Value> evaluate(QStringView expression, const Limits &limits)
{
    if (expression.size() > limits.maxLength)
        return std::nullopt;
    Value value;
    Parser parser(expression, limits);
    if (!parser.parseWhole(value))
        return std::nullopt;
    return value;
}

QString numberText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (value == 0)
        return QStringLiteral("0"); // also for minus zero
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    if (value < 0)
        return QLatin1Char('-') + numberText(-value);

    // Shortest digits that read back the same: "d.ddde+x".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string scientific(buffer, result.ptr);
    const auto e = scientific.find('e');
    std::string digits = scientific.substr(0, e);
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    const int k = int(digits.size());
    const int n = std::stoi(scientific.substr(e + 1)) + 1; // value = 0.digits x 10^n

    std::string text;
    if (k <= n && n <= 21) {
        text = digits + std::string(size_t(n - k), '0');
    } else if (0 < n && n <= 21) {
        text = digits.substr(0, size_t(n)) + '.' + digits.substr(size_t(n));
    } else if (-6 < n && n <= 0) {
        text = "0." + std::string(size_t(-n), '0') + digits;
    } else {
        const int exponent = n - 1;
        text = digits.substr(0, 1);
        if (k > 1)
            text += '.' + digits.substr(1);
        text += exponent < 0 ? "e-" : "e+";
        text += std::to_string(std::abs(exponent));
    }
    return QString::fromStdString(text);
}

} // namespace objlit
