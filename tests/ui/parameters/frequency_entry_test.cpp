// The five frequency boxes: which keys count as typed characters, the key
// filter, the live total in lblTotal, pasting past the filter, and the value
// each box stores when it loses the focus.
#include <QClipboard>
#include <QLocale>
#include <QTest>
#include <QTestEventList>
#include <optional>

#include "parameters_test_support.h"
#include "ui/parameters/frequency_box.h"

using nv::Currency;
using nv::ui::testing::ShownWindow;

using OptionalCode = std::optional<short>;
Q_DECLARE_METATYPE(OptionalCode)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

std::optional<Currency> units(std::int64_t u) {
    return Currency::fromUnits(u);
}

// "0.50" in the locale's notation.
QString localeTotal(const char *pointNotation) {
    return QString::fromLatin1(pointNotation)
        .replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

}  // namespace

class FrequencyEntryTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QApplication::clipboard()->clear(); }

    void typedCharacterCode_data();
    void typedCharacterCode();
    void keyFilter_data();
    void keyFilter();
    void tabMovesOnWithoutInserting();
    void totalBlankUntilFirstChange();
    void total_data();
    void total();
    void totalUsesTheLocaleSeparator();
    void deleteKeyUpdatesTotal();
    void paste_data();
    void paste();
    void outOfRange_data();
    void outOfRange();
    void storesOnLeaving_data();
    void storesOnLeaving();
    void storesOnlyOnLeaving();
};

// What a key press types, as the platforms report it: X11 gives Ctrl+V the
// text "\x16", the offscreen platform and Qt Test give "v" or nothing.
void FrequencyEntryTest::typedCharacterCode_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<OptionalCode>("code");
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    QTest::newRow("digit") << int(Qt::Key_5) << none << "5" << OptionalCode(53);
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << OptionalCode(97);
    QTest::newRow("space") << int(Qt::Key_Space) << none << " " << OptionalCode(32);
    QTest::newRow("shifted digit") << int(Qt::Key_Percent) << shift << "%" << OptionalCode(37);
    QTest::newRow("Latin-1 letter") << int(Qt::Key_Eacute) << none << "\u00e9" << OptionalCode(233);
    QTest::newRow("euro sign") << 0x20ac << none << "\u20ac" << OptionalCode(short(0x20ac));
    // A key the platform cannot name still types its text.
    QTest::newRow("unnamed key: fullwidth zero, negative")
        << int(Qt::Key_unknown) << none << "\uff10" << OptionalCode(short(-240));
    QTest::newRow("outside 16 bits") << 0x1f600 << none << "\U0001F600" << OptionalCode('?');
    QTest::newRow("Backspace without text")
        << int(Qt::Key_Backspace) << none << "" << OptionalCode(8);
    QTest::newRow("Return") << int(Qt::Key_Return) << none << "\r" << OptionalCode(13);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                  << "\r" << OptionalCode(13);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "\x1b" << OptionalCode(27);
    QTest::newRow("Ctrl+V with control text")
        << int(Qt::Key_V) << ctrl << "\x16" << OptionalCode(22);
    QTest::newRow("Ctrl+V with letter text") << int(Qt::Key_V) << ctrl << "v" << OptionalCode(22);
    QTest::newRow("Ctrl+V without text") << int(Qt::Key_V) << ctrl << "" << OptionalCode(22);
    QTest::newRow("Ctrl+Shift+V") << int(Qt::Key_V) << (ctrl | shift) << "V" << OptionalCode(22);
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << "" << OptionalCode(26);
    QTest::newRow("AltGr as Ctrl+Alt types its character")
        << int(Qt::Key_Q) << (ctrl | Qt::AltModifier) << "@" << OptionalCode(64);
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f" << OptionalCode();
    QTest::newRow("Insert") << int(Qt::Key_Insert) << none << "" << OptionalCode();
    QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << shift << "" << OptionalCode();
    QTest::newRow("Left") << int(Qt::Key_Left) << none << "" << OptionalCode();
    QTest::newRow("End") << int(Qt::Key_End) << shift << "" << OptionalCode();
    QTest::newRow("F1") << int(Qt::Key_F1) << none << "" << OptionalCode();
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << OptionalCode();
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << shift << "" << OptionalCode();
    QTest::newRow("no text") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::AltModifier) << ""
                             << OptionalCode();
}

void FrequencyEntryTest::typedCharacterCode() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(OptionalCode, code);
    QCOMPARE(nv::ui::typedCharacterCode(key, modifiers, text), code);
}

void FrequencyEntryTest::keyFilter_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("beeps");

    auto typed = [](const char *text) {
        QTestEventList keys;
        keys.addKeyClicks(QString::fromLatin1(text));
        return keys;
    };
    auto key = [](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTestEventList keys;
        keys.addKeyClick(k, modifiers);
        return keys;
    };
    QTest::newRow("digits") << "" << false << typed("0123456789") << "0123456789" << 0;
    QTest::newRow("point into an empty box") << "" << false << typed(".") << "." << 0;
    QTest::newRow("second point") << "0.5" << false << typed(".") << "0.5" << 1;
    QTest::newRow("second point typed in one go") << "" << false << typed("1.2.3") << "1.23" << 1;
    QTest::newRow("point inside a selection") << "0.5" << true << typed(".") << "0.5" << 1;
    QTest::newRow("digit replaces a selection") << "0.5" << true << typed("7") << "7" << 0;
    QTest::newRow("minus") << "" << false << typed("-") << "" << 1;
    QTest::newRow("plus") << "" << false << typed("+") << "" << 1;
    QTest::newRow("comma") << "1" << false << typed(",") << "1" << 1;
    QTest::newRow("space") << "1" << false << typed(" ") << "1" << 1;
    QTest::newRow("letter") << "1" << false << typed("e") << "1" << 1;
    QTest::newRow("Enter") << "1" << false << key(Qt::Key_Return) << "1" << 1;
    QTest::newRow("Escape") << "1" << false << key(Qt::Key_Escape) << "1" << 1;
    QTest::newRow("Backspace in an empty box") << "" << false << key(Qt::Key_Backspace) << "" << 0;
    QTest::newRow("Backspace") << "0.25" << false << key(Qt::Key_Backspace) << "0.2" << 0;
    // Ctrl+V is control code 22: refused, so nothing is pasted.
    QTest::newRow("Ctrl+V") << "1" << false << key(Qt::Key_V, Qt::ControlModifier) << "1" << 1;
    {
        // Ctrl+A is refused, so it selects nothing the next digit would replace.
        QTestEventList keys = key(Qt::Key_A, Qt::ControlModifier);
        keys.addKeyClicks(QStringLiteral("7"));
        QTest::newRow("Ctrl+A then a digit") << "0.5" << false << keys << "0.57" << 1;
    }
    QTest::newRow("Ctrl+Z") << "0.5" << false << key(Qt::Key_Z, Qt::ControlModifier) << "0.5" << 1;
    {
        // Keys that type nothing edit without the filter.
        QTestEventList keys = key(Qt::Key_Home);
        keys.addKeyClick(Qt::Key_Delete);
        keys.addKeyClick(Qt::Key_Right);
        keys.addKeyClicks(QStringLiteral("3"));
        QTest::newRow("Home, Delete, Right") << "0.5" << false << keys << ".35" << 0;
    }
}

void FrequencyEntryTest::keyFilter() {
    QFETCH(QString, before);
    QFETCH(bool, selectAll);
    QFETCH(QTestEventList, keys);
    QFETCH(QString, after);
    QFETCH(int, beeps);
    // Ctrl+V would paste this if it got past the filter.
    QApplication::clipboard()->setText(QStringLiteral("9"));

    ShownWindow shown;
    QVERIFY(shown.active());
    QPlainTextEdit *box = shown.box(2);
    shown.typeInto(2, before);
    QCOMPARE(shown.beeps(), 0);
    if (selectAll) {
        box->selectAll();
    }
    keys.simulate(box);
    QCOMPARE(box->toPlainText(), after);
    QCOMPARE(shown.beeps(), beeps);
}

void FrequencyEntryTest::tabMovesOnWithoutInserting() {
    ShownWindow shown;
    shown.typeInto(0, QStringLiteral("0.5"));
    QTest::keyClick(shown.box(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), shown.box(1));
    QTest::keyClick(shown.box(1), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(shown.box(0)->toPlainText(), QStringLiteral("0.5"));
    QCOMPARE(shown.box(1)->toPlainText(), QString());
    QCOMPARE(shown.beeps(), 0);
}

void FrequencyEntryTest::totalBlankUntilFirstChange() {
    ShownWindow shown;
    QCOMPARE(shown.total()->text(), QString());
    // A refused key changes nothing, so the label stays blank.
    shown.typeInto(3, QStringLiteral("x"));
    QCOMPARE(shown.beeps(), 1);
    QCOMPARE(shown.total()->text(), QString());
    // Once a box has changed, the label always shows a total.
    QTest::keyClicks(shown.box(3), QStringLiteral("5"));
    QCOMPARE(shown.total()->text(), localeTotal("5.00"));
    QTest::keyClick(shown.box(3), Qt::Key_Backspace);
    QCOMPARE(shown.box(3)->toPlainText(), QString());
    QCOMPARE(shown.total()->text(), localeTotal("0.00"));
}

void FrequencyEntryTest::total_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("total");
    QTest::newRow("five fifths") << QStringList{"0.2", "0.2", "0.2", "0.2", "0.2"} << "1.00";
    QTest::newRow("0.999 shows as 1.00")
        << QStringList{"0.2", "0.2", "0.2", "0.2", "0.199"} << "1.00";
    // 0.994999 becomes 0.9950 first, which then shows as 1.00.
    QTest::newRow("rounded twice") << QStringList{"0.2", "0.2", "0.2", "0.2", "0.194999"} << "1.00";
    QTest::newRow("half a cent up") << QStringList{"0.125"} << "0.13";
    QTest::newRow("a lone point") << QStringList{"."} << "0.00";
    QTest::newRow("more than one") << QStringList{"2"} << "2.00";
    QTest::newRow("thirds") << QStringList{"0.3333", "0.3333", "0.3334"} << "1.00";
    QTest::newRow("point without fraction") << QStringList{"5.", "", "", "", ".5"} << "5.50";
}

void FrequencyEntryTest::total() {
    QFETCH(QStringList, texts);
    QFETCH(QString, total);
    ShownWindow shown;
    shown.typeFrequencies(texts);
    QCOMPARE(shown.total()->text(), localeTotal(total.toLatin1().constData()));
    QCOMPARE(shown.beeps(), 0);
    QVERIFY(shown.total()->toolTip().isEmpty());
}

// Run once as is and once under a locale with a decimal comma (see CMake):
// entry always uses a point, the total shows the locale's separator.
void FrequencyEntryTest::totalUsesTheLocaleSeparator() {
    const QString expectedPoint = qEnvironmentVariable("NV_EXPECT_DECIMAL_POINT");
    if (!expectedPoint.isEmpty()) {
        QCOMPARE(QLocale::system().decimalPoint(), expectedPoint);
    }
    ShownWindow shown;
    shown.typeInto(0, QStringLiteral("0.75"));
    QCOMPARE(shown.total()->text(),
             QStringLiteral("0") + QLocale::system().decimalPoint() + QStringLiteral("75"));
    QCOMPARE(shown.beeps(), 0);
}

void FrequencyEntryTest::deleteKeyUpdatesTotal() {
    ShownWindow shown;
    shown.typeFrequencies({"0.5", "0.25"});
    QCOMPARE(shown.total()->text(), localeTotal("0.75"));
    QPlainTextEdit *box = shown.box(1);
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->toPlainText(), QString());
    QCOMPARE(shown.total()->text(), localeTotal("0.50"));
    QCOMPARE(shown.beeps(), 0);
}

void FrequencyEntryTest::paste_data() {
    QTest::addColumn<bool>("withShiftInsert");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("total");
    QTest::addColumn<std::int64_t>("storedUnits");
    for (const bool shiftInsert : {false, true}) {
        const char *how = shiftInsert ? "Shift+Insert: " : "menu: ";
        auto row = [&](const char *name) -> QTestData & {
            return QTest::newRow((QByteArray(how) + name).constData()) << shiftInsert;
        };
        row("not a number") << "abc"
                            << "0.00" << std::int64_t{0};
        row("number then letters") << "0.5abc"
                                   << "0.50" << std::int64_t{5000};
        row("negative") << "-0.25"
                        << "-0.25" << std::int64_t{-2500};
        // Line feeds and blanks are skipped wherever they are.
        row("line feed inside") << "0.\n25"
                                << "0.25" << std::int64_t{2500};
    }
}

void FrequencyEntryTest::paste() {
    QFETCH(bool, withShiftInsert);
    QFETCH(QString, clipboard);
    QFETCH(QString, total);
    QFETCH(std::int64_t, storedUnits);
    QApplication::clipboard()->setText(clipboard);
    ShownWindow shown;
    shown.typeInto(1, QString());
    QPlainTextEdit *box = shown.box(1);
    QCOMPARE(QApplication::focusWidget(), box);
    if (withShiftInsert) {
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    } else {
        box->paste();  // what the context menu's Paste does
    }
    // Unfiltered: the box holds the pasted text as it is.
    QCOMPARE(box->toPlainText(), clipboard);
    QCOMPARE(shown.beeps(), 0);
    QCOMPARE(shown.total()->text(), localeTotal(total.toLatin1().constData()));
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(shown.window().distribution().frequency(1), units(storedUnits));
    QCOMPARE(box->toPlainText(), clipboard);
}

void FrequencyEntryTest::outOfRange_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("firstStoresNothing");
    QTest::newRow("fifteen typed digits") << QStringList{"999999999999999"} << true;
    QTest::newRow("pasted huge number") << QStringList{"1e300"} << true;
    QTest::newRow("a sum past the range")
        << QStringList{"500000000000000", "500000000000000"} << false;
    QTest::newRow("a double sum that overflows") << QStringList{"1e308", "1e308"} << true;
    QTest::newRow("infinities that cancel to NaN") << QStringList{"1e999", "-1e999"} << true;
}

void FrequencyEntryTest::outOfRange() {
    QFETCH(QStringList, texts);
    QFETCH(bool, firstStoresNothing);
    ShownWindow shown;
    for (int i = 0; i < texts.size(); ++i) {
        // Pasted, so exponents and signs get in.
        QApplication::clipboard()->setText(texts[i]);
        shown.typeInto(i, QString());
        shown.box(i)->paste();
    }
    QTest::keyClick(shown.box(static_cast<int>(texts.size()) - 1), Qt::Key_Tab);
    QCOMPARE(shown.total()->text(), QStringLiteral("####"));
    QCOMPARE(shown.total()->toolTip(), QStringLiteral("The total is out of range"));
    QCOMPARE(shown.total()->accessibleDescription(), QStringLiteral("The total is out of range"));
    QCOMPARE(shown.window().distribution().frequency(0).has_value(), !firstStoresNothing);
    // The stored values then have no total, which the run's sum check refuses.
    QVERIFY(!shown.window().distribution().total().has_value());

    // Back in range, the label shows a number again.
    for (int i = 0; i < texts.size(); ++i) {
        shown.box(i)->clear();
    }
    QCOMPARE(shown.total()->text(), localeTotal("0.00"));
    QVERIFY(shown.total()->toolTip().isEmpty());
}

void FrequencyEntryTest::storesOnLeaving_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<std::int64_t>("storedUnits");
    QTest::newRow("0.12345 rounds half to even") << "0.12345" << std::int64_t{1234};
    QTest::newRow("0.33335 rounds half to even") << "0.33335" << std::int64_t{3334};
    QTest::newRow("2") << "2" << std::int64_t{20000};
    QTest::newRow("empty") << "" << std::int64_t{0};
}

void FrequencyEntryTest::storesOnLeaving() {
    QFETCH(QString, typed);
    QFETCH(std::int64_t, storedUnits);
    for (int index = 0; index < 5; ++index) {
        ShownWindow shown;
        shown.typeInto(index, typed);
        // Leave by clicking another box.
        const int other = (index + 1) % 5;
        QTest::mouseClick(shown.box(other)->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(QApplication::focusWidget(), shown.box(other));
        for (int cls = 0; cls < 5; ++cls) {
            QCOMPARE(shown.window().distribution().frequency(static_cast<std::size_t>(cls)),
                     units(cls == index ? storedUnits : 0));
        }
        // The text stays as typed.
        QCOMPARE(shown.box(index)->toPlainText(), typed);
    }
}

void FrequencyEntryTest::storesOnlyOnLeaving() {
    ShownWindow shown;
    shown.typeInto(4, QStringLiteral("0.5"));
    QCOMPARE(shown.window().distribution().frequency(4), units(0));
    QTest::keyClick(shown.box(4), Qt::Key_Tab);
    QCOMPARE(shown.window().distribution().frequency(4), units(5000));
    // Editing again changes the label at once, the stored value on leaving.
    QCOMPARE(QApplication::focusWidget(), shown.control<QWidget>("cmdRun"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), shown.box(4));
    QTest::keyClick(shown.box(4), Qt::Key_End);
    QTest::keyClicks(shown.box(4), QStringLiteral("5"));
    QCOMPARE(shown.total()->text(), localeTotal("0.55"));
    QCOMPARE(shown.window().distribution().frequency(4), units(5000));
    QTest::mouseClick(shown.control<QWidget>("optAnnual"), Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(shown.window().distribution().frequency(4), units(5500));
}

QTEST_MAIN(FrequencyEntryTest)
#include "frequency_entry_test.moc"
