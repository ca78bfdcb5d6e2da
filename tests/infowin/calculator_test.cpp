#include "infowin/calculator.h"
#include "infowin/calculator_widget.h"
#include "infowin/conversions.h"
#include "support/qstring_printer.h"

#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace skelvane {
namespace {

// --- Number text ---------------------------------------------------------------------------

struct FormatCase {
    double value;
    QChar separator;
    const char* text;
};

TEST(CalculatorNumberText, FifteenSignificantDigitsWithLocaleSeparatorAndExponent) {
    const FormatCase cases[] = {
        {0.0, u'.', "0"},
        {-0.0, u'.', "0"},
        {-40, u'.', "-40"},
        {2.5, u',', "2,5"},
        {1.0 / 3.0, u'.', "0.333333333333333"},
        {2.2046226218487757, u'.', "2.20462262184878"},
        {1.000000000000002, u'.', "1"},
        {1.633123935319537e16, u'.', "1.63312393531954E16"},
        {-1.5e20, u',', "-1,5E20"},
        {999999999999999.0, u'.', "999999999999999"},
        {1e15, u'.', "1E15"},
        {999999999999999.9, u'.', "1E15"}, // rounding carries into the exponent
        {0.0001, u'.', "0.0001"},
        {0.00001, u'.', "1E-5"},
        {-1.2246467991473532e-16, u'.', "-1.22464679914735E-16"},
        {123456.789, u'.', "123456.789"},
        {std::numeric_limits<double>::max(), u'.', "1.79769313486232E308"},
        {std::numeric_limits<double>::infinity(), u'.', ""},
        {std::numeric_limits<double>::quiet_NaN(), u'.', ""},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(FormatCalculatorNumber(c.value, c.separator), QString::fromLatin1(c.text))
            << c.text;
}

TEST(CalculatorNumberText, ReadsOnlyNumbersInTheLocaleForm) {
    const struct {
        const char* text;
        QChar separator;
        std::optional<double> value;
    } cases[] = {
        {"1.5", u'.', 1.5},
        {" -3 ", u'.', -3.0},
        {"+2", u'.', 2.0},
        {".5", u'.', 0.5},
        {"5.", u'.', 5.0},
        {"1.63312393531954E16", u'.', 1.63312393531954e16},
        {"1e-5", u'.', 1e-5},
        {"1,5", u',', 1.5},
        {"1,5", u'.', std::nullopt},
        {"1.5", u',', std::nullopt},
        {"", u'.', std::nullopt},
        {"Error", u'.', std::nullopt},
        {"1.2.3", u'.', std::nullopt},
        {"1e", u'.', std::nullopt},
        {"--1", u'.', std::nullopt},
        {"1 2", u'.', std::nullopt},
        {"0x10", u'.', std::nullopt},
        {"inf", u'.', std::nullopt},
        {"nan", u'.', std::nullopt},
        {"1e400", u'.', std::nullopt}, // beyond a double
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseCalculatorNumber(QString::fromLatin1(c.text), c.separator), c.value)
            << c.text;
}

TEST(CalculatorNumberText, EveryTextWrittenReadsBack) {
    for (const double value : {1.0 / 7.0, -2.5e-9, 6.02214076e23, 1e-300, 42.0})
        for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
            const auto back =
                ParseCalculatorNumber(FormatCalculatorNumber(value, separator), separator);
            ASSERT_TRUE(back.has_value()) << value;
            EXPECT_NEAR(*back / value, 1.0, 1e-14) << value;
        }
}

TEST(CalculatorNumberText, PasteKeepsOnlyCalculatorKeys) {
    EXPECT_EQ(FilterPastedText(QStringLiteral("1,234.5"), u'.'), QStringLiteral("1234.5"));
    EXPECT_EQ(FilterPastedText(QStringLiteral("1.234,5 €"), u','), QStringLiteral("1.234,5"));
    EXPECT_EQ(FilterPastedText(QStringLiteral("(2 + 3) = x%"), u'.'), QStringLiteral("2+3=%"));
    EXPECT_EQ(FilterPastedText(QStringLiteral("٣"), u'.'), QString()); // other digit scripts
}

// --- Engine --------------------------------------------------------------------------------

// Types a sequence: characters the calculator knows as keys, and letters for the others.
void Type(CalculatorEngine& engine, const char* keys) {
    for (const char* p = keys; *p; ++p) {
        switch (*p) {
        case 'C':
            engine.press(CalcKey::Clear);
            break;
        case 'E':
            engine.press(CalcKey::ClearEntry);
            break;
        case '<':
            engine.press(CalcKey::Backspace);
            break;
        case '~':
            engine.press(CalcKey::Sign);
            break;
        case 'r':
            engine.press(CalcKey::SquareRoot);
            break;
        case 'i':
            engine.press(CalcKey::Reciprocal);
            break;
        case 'S':
            engine.press(CalcKey::MemoryStore);
            break;
        case 'A':
            engine.press(CalcKey::MemoryAdd);
            break;
        case 'R':
            engine.press(CalcKey::MemoryRecall);
            break;
        case 'Z':
            engine.press(CalcKey::MemoryClear);
            break;
        default:
            ASSERT_TRUE(engine.pressCharacter(QChar::fromLatin1(*p))) << *p;
        }
    }
}

TEST(CalculatorEngine, KeySequences) {
    const struct {
        const char* keys;
        const char* display;
    } cases[] = {
        {"", "0"},         {"2+3=", "5"},
        {"2+3*4=", "20"}, // in the order keyed
        {"7-10=", "-3"},   {"-5=", "-5"},
        {"1/4=", "0.25"},  {"0.1+0.2=", "0.3"},
        {".5+.5=", "1"},   {"2+=", "4"},
        {"2+*3=", "6"},                    // a second operator replaces the first
        {"2+3=+1=", "6"},  {"2+3=7", "7"}, // a digit after a result starts a new number
        {"50+10%", "5"},   {"50+10%=", "55"},
        {"8%", "0.08"},    {"9r", "3"},
        {"4i", "0.25"},    {"12.5.3", "12.53"},
        {"007", "7"},      {"1234567890123456789", "123456789012345"},
        {"123<", "12"},    {"1<", "0"},
        {"-1<", "0"},      {"2+3=<", "5"}, // a result is not edited
        {"12~", "-12"},    {"12~~", "12"},
        {"0~", "0"},       {"2+3=~", "-5"},
        {"2+3E4=", "6"},   {"2+C3=", "3"},          // C drops the pending operation
        {"1/0=", "Error"}, {"1/0=+*=%~<", "Error"}, // only C, CE or a new number go on
        {"1/0=5+1=", "6"}, {"4~r", "Error"},
        {"0i", "Error"},   {"1/0=E", "0"},
        {"5S3+R=", "8"},   {"3S4", "4"},  // the digit after MS starts a new number
        {"5A2ACR", "7"},   {"5SZR", "5"}, // nothing to recall
    };
    for (const auto& c : cases) {
        CalculatorEngine engine;
        Type(engine, c.keys);
        EXPECT_EQ(engine.display(), QLatin1String(c.display)) << c.keys;
    }
}

TEST(CalculatorEngine, MemoryStateAndDecimalSeparator) {
    CalculatorEngine engine(u',');
    EXPECT_FALSE(engine.hasMemory());
    Type(engine, "1.5S");
    EXPECT_EQ(engine.display(), QStringLiteral("1,5"));
    EXPECT_TRUE(engine.hasMemory());
    Type(engine, "C");
    EXPECT_TRUE(engine.hasMemory()); // C keeps the memory
    Type(engine, "R*2=");
    EXPECT_EQ(engine.display(), QStringLiteral("3"));
    Type(engine, "Z");
    EXPECT_FALSE(engine.hasMemory());
}

TEST(CalculatorEngine, DisplaySetByThePageIsAnOperand) {
    CalculatorEngine engine;
    Type(engine, "2+");
    engine.setDisplay(QStringLiteral("2.20462262184878"));
    Type(engine, "=");
    EXPECT_EQ(engine.display(), QStringLiteral("4.20462262184878"));

    engine.setDisplay(QStringLiteral("1.63312393531954E16"));
    Type(engine, "/2=");
    EXPECT_EQ(engine.display(), QStringLiteral("8.1656196765977E15"));

    engine.setDisplay(QStringLiteral("2.5"));
    Type(engine, "7");
    EXPECT_EQ(engine.display(), QStringLiteral("7"));

    // A text that is no number is shown but never computed with.
    engine.setDisplay(QStringLiteral("abc"));
    Type(engine, "+=~rSA");
    EXPECT_EQ(engine.display(), QStringLiteral("abc"));
    EXPECT_FALSE(engine.hasMemory());
}

TEST(CalculatorEngine, OverflowIsAnErrorNotInfinity) {
    CalculatorEngine engine;
    engine.setDisplay(QStringLiteral("1E308"));
    Type(engine, "*10=");
    EXPECT_EQ(engine.display(), CalculatorEngine::ErrorText());
    engine.setDisplay(QStringLiteral("1E308"));
    Type(engine, "S");
    engine.setDisplay(QStringLiteral("1E308"));
    Type(engine, "A");
    EXPECT_EQ(engine.display(), CalculatorEngine::ErrorText());
}

// --- Widget --------------------------------------------------------------------------------

TEST(CalculatorWidget, KeyboardInput) {
    CalculatorWidget calculator;
    calculator.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    QTest::keyClicks(&calculator, QStringLiteral("12.5*4"));
    EXPECT_EQ(calculator.displayText(), QStringLiteral("4"));
    QTest::keyClick(&calculator, Qt::Key_Return);
    EXPECT_EQ(calculator.displayText(), QStringLiteral("50"));
    QTest::keyClicks(&calculator, QStringLiteral("123"));
    QTest::keyClick(&calculator, Qt::Key_Backspace);
    EXPECT_EQ(calculator.displayText(), QStringLiteral("12"));
    QTest::keyClick(&calculator, Qt::Key_Delete);
    EXPECT_EQ(calculator.displayText(), QStringLiteral("0"));
    QTest::keyClicks(&calculator, QStringLiteral("9+"));
    QTest::keyClick(&calculator, Qt::Key_Escape);
    QTest::keyClicks(&calculator, QStringLiteral("1="));
    EXPECT_EQ(calculator.displayText(), QStringLiteral("1"));
    QTest::keyClicks(&calculator, QStringLiteral("xyz")); // not keys: nothing happens
    EXPECT_EQ(calculator.displayText(), QStringLiteral("1"));
}

TEST(CalculatorWidget, ButtonsAndMemoryKeysEnabledOnlyWithAMemory) {
    CalculatorWidget calculator;
    EXPECT_EQ(calculator.objectName(), QStringLiteral("Calculator"));
    QPushButton* recall = calculator.button(CalcKey::MemoryRecall);
    QPushButton* clearMemory = calculator.button(CalcKey::MemoryClear);
    EXPECT_FALSE(recall->isEnabled());
    EXPECT_FALSE(clearMemory->isEnabled());
    calculator.button(CalcKey::Digit7)->click();
    calculator.button(CalcKey::MemoryStore)->click();
    EXPECT_TRUE(recall->isEnabled());
    EXPECT_TRUE(clearMemory->isEnabled());
    calculator.button(CalcKey::Clear)->click();
    recall->click();
    EXPECT_EQ(calculator.displayText(), QStringLiteral("7"));
    clearMemory->click();
    EXPECT_FALSE(recall->isEnabled());
    // Buttons leave the keyboard with the calculator.
    EXPECT_EQ(calculator.button(CalcKey::Add)->focusPolicy(), Qt::NoFocus);
}

TEST(CalculatorWidget, FollowsTheLocaleDecimalSeparator) {
    CalculatorWidget calculator;
    calculator.setLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(calculator.button(CalcKey::Point)->text(), QStringLiteral(","));
    QTest::keyClicks(&calculator, QStringLiteral("1,5+1.5="));
    EXPECT_EQ(calculator.displayText(), QStringLiteral("3"));
    QTest::keyClicks(&calculator, QStringLiteral("/4="));
    EXPECT_EQ(calculator.displayText(), QStringLiteral("0,75"));
}

} // namespace
} // namespace skelvane
