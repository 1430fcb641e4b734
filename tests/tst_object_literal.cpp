// The object-literal reader: what it reads, what it refuses, and that hostile
// text ends in a refusal rather than a crash or a hang.
#include "params/ParameterFile.h"
#include "platform/ObjectLiteral.h"

#include <QtTest>

namespace {

std::optional<QString> valueOf(const QString &expression, const QString &key)
{
    const std::optional<objlit::Value> value = objlit::evaluate(expression);
    if (!value)
        return std::nullopt;
    const objlit::Value *property = value->property(key);
    if (!property)
        return QStringLiteral("<missing>");
    return property->text().value_or(QStringLiteral("<no text>"));
}

QString saveText()
{
    ParameterSet set;
    set.CoarseControlUp = 15;
    set.PulseDelay = 25;
    set.pswd = {1, 2, 3, 4};
    return params::BuildFileText(set, {QStringLiteral("DMK--0042"), QStringLiteral("S123"), QStringLiteral("V4.1")});
}

} // namespace

class tst_ObjectLiteral : public QObject
{
    Q_OBJECT
private slots:
    void reads_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QString saved = QLatin1Char('(') + saveText() + QLatin1Char(')');
        QTest::newRow("saved: first key") << saved << "ModelNo" << "DMK--0042";
        QTest::newRow("saved: word") << saved << "CoarseControlUp" << "15";
        QTest::newRow("saved: password") << saved << "pswd" << "1234";
        QTest::newRow("saved: last key") << saved << "PressurePumpOff" << "0";
        QTest::newRow("saved: not a key") << saved << "pswD" << "<missing>";

        QTest::newRow("bare number") << "({'a': 15})" << "a" << "15";
        QTest::newRow("bare fraction") << "({'a': 1.50})" << "a" << "1.5";
        QTest::newRow("bare negative") << "({'a': -5})" << "a" << "-5";
        QTest::newRow("sign, blank, number") << "({'a': - 5})" << "a" << "-5";
        QTest::newRow("plus sign") << "({'a': +5})" << "a" << "5";
        QTest::newRow("two signs") << "({'a': - -5})" << "a" << "5";
        QTest::newRow("exponent") << "({'a': 1e3})" << "a" << "1000";
        QTest::newRow("hexadecimal") << "({'a': 0x1F})" << "a" << "31";
        QTest::newRow("leading point") << "({'a': .5})" << "a" << "0.5";
        QTest::newRow("trailing point") << "({'a': 5.})" << "a" << "5";
        QTest::newRow("leading zeros read decimal") << "({'a': 010})" << "a" << "10";
        QTest::newRow("huge") << "({'a': 1e400})" << "a" << "Infinity";
        QTest::newRow("tiny") << "({'a': 1e-400})" << "a" << "0";

        QTest::newRow("double quotes") << "({\"a\": \"x y\"})" << "a" << "x y";
        QTest::newRow("identifier key") << "({a: 'x'})" << "a" << "x";
        QTest::newRow("numeric key") << "({1.50: 'x'})" << "1.5" << "x";
        QTest::newRow("empty string") << "({'a': ''})" << "a" << "";
        QTest::newRow("true") << "({'a': true})" << "a" << "true";
        QTest::newRow("null has no text") << "({'a': null})" << "a" << "<no text>";
        QTest::newRow("object has no text") << "({'a': {'b': 1}})" << "a" << "<no text>";
        QTest::newRow("array has no text") << "({'a': [1, 2]})" << "a" << "<no text>";

        QTest::newRow("escaped single quote") << "({'a': 'it\\'s'})" << "a" << "it's";
        QTest::newRow("escaped double quote") << "({\"a\": \"say \\\"hi\\\"\"})" << "a" << "say \"hi\"";
        QTest::newRow("other quote unescaped") << "({'a': \"it's\"})" << "a" << "it's";
        QTest::newRow("hex escape") << "({'a': '\\x22\\x41'})" << "a" << "\"A";
        QTest::newRow("unicode escape") << "({'a': '\\u00e9'})" << "a" << QString(QChar(0xE9));
        QTest::newRow("backslash") << "({'a': 'a\\\\b'})" << "a" << "a\\b";
        QTest::newRow("control escapes") << "({'a': '\\t\\n'})" << "a" << "\t\n";
        QTest::newRow("plain character escape") << "({'a': '\\q'})" << "a" << "q";
        QTest::newRow("line continuation") << "({'a': 'x\\\r\ny'})" << "a" << "xy";

        QTest::newRow("blanks everywhere") << " ( \t{ 'a' \r\n : \t '1' , 'b' :2 } ) \n" << "b" << "2";
        QTest::newRow("no blanks") << "({'a':'1','b':2})" << "a" << "1";
        QTest::newRow("nested parentheses") << "((({'a': 1})))" << "a" << "1";
        QTest::newRow("parenthesised value") << "({'a': (7)})" << "a" << "7";
        QTest::newRow("trailing comma") << "({'a': 1,})" << "a" << "1";
        QTest::newRow("later duplicate wins") << "({'a': 1, 'a': 2})" << "a" << "2";
    }
    void reads()
    {
        QFETCH(QString, expression);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const std::optional<QString> value = valueOf(expression, key);
        QVERIFY2(value.has_value(), qPrintable(expression));
        QCOMPARE(*value, expected);
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "  ";
        QTest::newRow("empty parentheses") << "()";
        QTest::newRow("unclosed object") << "({'a': 1)";
        QTest::newRow("unclosed parenthesis") << "({'a': 1}";
        QTest::newRow("missing colon") << "({'a' 1})";
        QTest::newRow("missing value") << "({'a': })";
        QTest::newRow("missing comma") << "({'a': 1 'b': 2})";
        QTest::newRow("double comma") << "({'a': 1,, 'b': 2})";
        QTest::newRow("lone comma") << "({,})";
        QTest::newRow("unterminated string") << "({'a': 'x})";
        QTest::newRow("mismatched quotes") << "({'a': \"x'})";
        QTest::newRow("line break in string") << "({'a': 'x\ny'})";
        QTest::newRow("bad hex escape") << "({'a': '\\x4'})";
        QTest::newRow("bad unicode escape") << "({'a': '\\u12G4'})";
        QTest::newRow("octal escape") << "({'a': '\\12'})";
        QTest::newRow("backslash at the end") << "({'a': '\\";
        QTest::newRow("text after the literal") << "({'a': 1}) x";
        QTest::newRow("statement after") << "({'a': 1});alert(1)";
        QTest::newRow("call") << "({'a': f()})";
        QTest::newRow("sum") << "({'a': 1+2})";
        QTest::newRow("string concatenation") << "({'a': 'x' + 'y'})";
        QTest::newRow("decrement") << "({'a': --5})";
        QTest::newRow("sign before a string") << "({'a': -'5'})";
        QTest::newRow("number then letters") << "({'a': 3in})";
        QTest::newRow("hex without digits") << "({'a': 0x})";
        QTest::newRow("exponent without digits") << "({'a': 1e})";
        QTest::newRow("two points") << "({'a': 1.2.3})";
        QTest::newRow("undefined") << "({'a': undefined})";
        QTest::newRow("NaN") << "({'a': NaN})";
        QTest::newRow("function") << "({'a': function(){}})";
        QTest::newRow("array hole") << "({'a': [1,,2]})";
        QTest::newRow("negative key") << "({-1: 'x'})";
        QTest::newRow("key path as key") << "({a.b: 1})";
        QTest::newRow("comment") << "({'a': 1 /* x */})";
        QTest::newRow("truer") << "({'a': truer})";
        QTest::newRow("nul character") << QStringLiteral("({'a': 1}") + QChar(0) + QStringLiteral(")");
    }
    void refuses()
    {
        QFETCH(QString, expression);
        QVERIFY(!objlit::evaluate(expression).has_value());
    }

    // Every cut of a saved text, short of the whole, is refused.
    void refusesEveryTruncation()
    {
        const QString text = saveText();
        for (qsizetype n = 0; n < text.size(); ++n) {
            const QString expression = QLatin1Char('(') + text.left(n) + QLatin1Char(')');
            QVERIFY2(!objlit::evaluate(expression).has_value(), qPrintable(expression));
        }
        QVERIFY(objlit::evaluate(QLatin1Char('(') + text + QLatin1Char(')')).has_value());
    }

    void boundsLengthAndNesting_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<bool>("read");
        const objlit::Limits limits;

        QString atLimit = QStringLiteral("({'a': '");
        atLimit += QString(limits.maxLength - atLimit.size() - 3, QLatin1Char('x')) + QStringLiteral("'})");
        QTest::newRow("string up to the length limit") << atLimit << true;
        QTest::newRow("one character more") << QString(atLimit).insert(8, QLatin1Char('x')) << false;
        QTest::newRow("a megabyte of blanks")
            << QStringLiteral("({'a': 1}") + QString(1 << 20, QLatin1Char(' ')) + QLatin1Char(')') << false;

        QString manyKeys = QStringLiteral("({");
        for (int i = 0; i < 4000; ++i)
            manyKeys += QStringLiteral("k%1: %1, ").arg(i);
        QTest::newRow("four thousand keys") << manyKeys + QStringLiteral("'a': 1})") << true;
        QString sameKey = QStringLiteral("({");
        for (int i = 0; i < 6000; ++i)
            sameKey += QStringLiteral("a: %1, ").arg(i);
        QTest::newRow("one key six thousand times") << sameKey + QStringLiteral("'a': 1})") << true;

        auto nested = [](int depth) {
            return QString(depth - 1, QLatin1Char('(')) + QStringLiteral("{'a': 1}") + QString(depth - 1, QLatin1Char(')'));
        };
        QTest::newRow("nesting at the limit") << nested(limits.maxDepth) << true;
        QTest::newRow("nesting one deeper") << nested(limits.maxDepth + 1) << false;
        QTest::newRow("thirty thousand parentheses") << QString(30000, QLatin1Char('(')) << false;
        QTest::newRow("thirty thousand brackets") << QStringLiteral("({'a': ") + QString(30000, QLatin1Char('[')) << false;
        QTest::newRow("nested objects") << QStringLiteral("(") + QStringLiteral("{'a': ").repeated(10000) << false;
        QTest::newRow("signs") << QStringLiteral("({'a': ") + QStringLiteral("- ").repeated(30000) + QStringLiteral("1})") << true;
        QTest::newRow("unterminated long string") << QStringLiteral("({'a': '") + QString(60000, QLatin1Char('y')) << false;
    }
    void boundsLengthAndNesting()
    {
        QFETCH(QString, expression);
        QFETCH(bool, read);
        const std::optional<objlit::Value> value = objlit::evaluate(expression);
        QCOMPARE(value.has_value(), read);
        if (read)
            QVERIFY(value->property(QStringLiteral("a")));
    }

    // Numbers come back the way script shows them.
    void numberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("minus zero") << -0.0 << "0";
        QTest::newRow("integer") << 32767.0 << "32767";
        QTest::newRow("negative") << -2.0 << "-2";
        QTest::newRow("fraction") << 1.5 << "1.5";
        QTest::newRow("shortest") << 0.1 + 0.2 << "0.30000000000000004";
        QTest::newRow("small plain") << 0.000001 << "0.000001";
        QTest::newRow("small exponent") << 1e-7 << "1e-7";
        QTest::newRow("large plain") << 1e20 << "100000000000000000000";
        QTest::newRow("large exponent") << 1e21 << "1e+21";
        QTest::newRow("digits and exponent") << 1.25e30 << "1.25e+30";
        QTest::newRow("largest") << 1.7976931348623157e308 << "1.7976931348623157e+308";
        QTest::newRow("infinity") << qInf() << "Infinity";
    }
    void numberText()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(objlit::numberText(value), expected);
    }
};

QTEST_APPLESS_MAIN(tst_ObjectLiteral)
#include "tst_object_literal.moc"
