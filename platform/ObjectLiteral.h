#pragma once
// A reader of script object-literal text, for files that keep data written as
// an object literal such as {'ModelNo': 'DMK-0042', 'PulseDelay': 25}.
//
// The text is data, never code: only literals are understood - objects,
// arrays, single- or double-quoted strings with backslash escapes, numbers
// (decimal, with fraction and exponent, or 0x hexadecimal; a leading zero
// does not make a number octal), an optional sign before a number, true,
// false and null - each optionally wrapped in parentheses, with any blanks
// and line breaks between tokens. Anything else makes the whole text fail.
// Length and nesting are bounded, so hostile text ends in a failure, never in
// a crash or a hang.
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace objlit {

class Value
{
public:
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    Kind kind() const { return m_kind; }
    bool isObject() const { return m_kind == Kind::Object; }

    // The property `name` of an object; null when missing or not an object.
    const Value *property(QStringView name) const;
    // The value of a string, number or boolean as text: numbers in their
    // shortest decimal form ("15", "1.5", "-2", "1e+21"), booleans as "true"
    // and "false". Nothing for null, arrays and objects.
    std::optional<QString> text() const;

    double number() const { return m_number; }
    const QString &string() const { return m_string; }
    const std::vector<Value> &elements() const { return m_elements; }
    const std::vector<QString> &keys() const { return m_keys; }

private:
    friend class Parser;
    Kind m_kind = Kind::Null;
    bool m_boolean = false;
    double m_number = 0;
    QString m_string;
    std::vector<QString> m_keys;     // object: property names, each once
    std::vector<Value> m_elements;   // object: the value of each key; array: its elements
};

struct Limits
{
    qsizetype maxLength = 64 * 1024; // characters of the whole expression
    int maxDepth = 32;               // nested objects, arrays and parentheses
};

// Evaluates an expression holding one literal, for example
// "({'a': '1', 'b': 2})". Nothing when the text is not such a literal, or is
// longer or deeper than the limits allow.
std::optional<Value> evaluate(QStringView expression, const Limits &limits = {});

// The evaluator as an object that can be created on first use and released,
// the way the windows hold their reading objects.
class Evaluator
{
public:
    explicit Evaluator(const Limits &limits = {}) : m_limits(limits) {}
    std::optional<Value> evaluate(QStringView expression) const { return objlit::evaluate(expression, m_limits); }

private:
    Limits m_limits;
};

// A number as script text shows it: the shortest decimal that reads back the
// same, in exponent form below 1e-6 and from 1e21 ("0.5", "100", "1e+21").
QString numberText(double value);

} // namespace objlit
