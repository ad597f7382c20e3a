// Marking a student's file: reading the cells, the rounding rule, and exactly
// the planted wrong cells.
#include "engine/worksheet/sheet_check.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/analysis/report_text.h"
#include "support/csv.h"
#include "support/text_conversion.h"
#include "worksheet_test_support.h"

namespace nv {
namespace {

std::optional<Currency> amount(const char *text) {
    return text == nullptr ? std::nullopt : std::optional(*parseCurrency(text));
}

struct AmountCase {
    const char *cell;
    const char *value;  // nullptr: not a number
};

class SheetAmount : public ::testing::TestWithParam<AmountCase> {};

TEST_P(SheetAmount, ReadsWhatASpreadsheetWrites) {
    EXPECT_EQ(readSheetAmount(GetParam().cell), amount(GetParam().value)) << GetParam().cell;
}

INSTANTIATE_TEST_SUITE_P(
    Cells, SheetAmount,
    ::testing::Values(AmountCase{"$1,234.50", "1234.5"}, AmountCase{"1,234,567.5", "1234567.5"},
                      AmountCase{"-$3.20", "-3.2"}, AmountCase{"$-3.20", "-3.2"},
                      AmountCase{"($12.50)", "-12.5"}, AmountCase{" 1 234.5 ", "1234.5"},
                      AmountCase{".5", "0.5"}, AmountCase{"111.55500", "111.555"},
                      AmountCase{"0.00001", nullptr}, AmountCase{"1,5", nullptr},
                      AmountCase{"1234,567", nullptr}, AmountCase{"1,234,", nullptr},
                      AmountCase{"1.2.3", nullptr}, AmountCase{"abc", nullptr},
                      AmountCase{"", nullptr}, AmountCase{"$", nullptr}, AmountCase{"1e3", nullptr},
                      AmountCase{"--5", nullptr}, AmountCase{"(-5)", nullptr},
                      AmountCase{"5$", nullptr}, AmountCase{"9,999,999,999,999,999", nullptr}));

// The key in a locale's separators: what it shows is read back, and so is a
// plain "120.00"; where the two disagree, the locale's reading wins.
struct LocaleAmountCase {
    const char *group;
    const char *decimal;
    const char *cell;
    const char *value;  // nullptr: not a number
};

class SheetAmountInLocale : public ::testing::TestWithParam<LocaleAmountCase> {};

TEST_P(SheetAmountInLocale, ReadsWhatTheKeyShows) {
    const LocaleAmountCase &c = GetParam();
    EXPECT_EQ(readSheetAmount(c.cell, NumberLocale{c.group, c.decimal}), amount(c.value))
        << c.cell << " with " << c.group << " and " << c.decimal;
}

INSTANTIATE_TEST_SUITE_P(Cells, SheetAmountInLocale,
                         ::testing::Values(LocaleAmountCase{".", ",", "$120,00", "120"},
                                           LocaleAmountCase{".", ",", "120.00", "120"},
                                           LocaleAmountCase{".", ",", "-$1.234,50", "-1234.5"},
                                           LocaleAmountCase{".", ",", "$1,234.50", "1234.5"},
                                           LocaleAmountCase{".", ",", "1.234", "1234"},
                                           LocaleAmountCase{".", ",", "111,5551", "111.5551"},
                                           LocaleAmountCase{".", ",", ",5", "0.5"},
                                           LocaleAmountCase{".", ",", "1,2,3", nullptr},
                                           LocaleAmountCase{".", ",", "12.34,5", nullptr},
                                           LocaleAmountCase{"\u00a0", ",", "1\u00a0234,5",
                                                            "1234.5"},
                                           LocaleAmountCase{"\u00a0", ",", "1\u00a023,5", nullptr},
                                           LocaleAmountCase{"'", ".", "1'234.5", "1234.5"},
                                           LocaleAmountCase{"'", ".", "1,234.5", "1234.5"},
                                           LocaleAmountCase{",", ".", "120,00", nullptr}));

struct RoundingCase {
    SheetColumn column;
    const char *written;
    const char *answer;
    bool right;
};

class SheetRounding : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(SheetRounding, UnitsExactMoneyToTheCent) {
    const RoundingCase &c = GetParam();
    EXPECT_EQ(isRightAnswer(c.column, *amount(c.written), *amount(c.answer)), c.right)
        << c.written << " for " << c.answer;
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, SheetRounding,
    ::testing::Values(RoundingCase{SheetColumn::Order, "49", "48.5", false},
                      RoundingCase{SheetColumn::Sales, "30.0001", "30", false},
                      RoundingCase{SheetColumn::Demand, "111.56", "111.555", false},
                      RoundingCase{SheetColumn::DailyProfit, "28.01", "28", false},
                      RoundingCase{SheetColumn::DailyProfit, "111.555", "111.555", true},
                      RoundingCase{SheetColumn::DailyProfit, "111.56", "111.555", true},
                      RoundingCase{SheetColumn::DailyProfit, "111.55", "111.555", true},
                      RoundingCase{SheetColumn::DailyProfit, "111.5551", "111.555", false},
                      RoundingCase{SheetColumn::CumulativeProfit, "-100.01", "-100.0051", true},
                      RoundingCase{SheetColumn::CumulativeProfit, "-100", "-100.0051", false}));

// The Average Annual Demand key worked by hand (48.5 units a day,
// worksheet_test.cpp), as a spreadsheet exports it: "$1,234.50" amounts.
class SheetMarking : public ::testing::Test {
protected:
    void SetUp() override {
        const auto plan = test::planOf(test::kTextbook, OrderPolicy::Annual);
        ASSERT_TRUE(plan.ok());
        m_sheet = Worksheet::fromNumbers(*plan, test::kHandNumbers);
        ASSERT_TRUE(m_sheet.has_value());
        m_rows = keyRows({});
    }
    // The header and the key, amounts as the page shows them in `locale`.
    std::vector<std::vector<std::string>> keyRows(const NumberLocale &locale) const {
        std::vector<std::vector<std::string>> rows{
            {"day", "demand", "order", "sales", "daily_profit", "cumulative_profit"}};
        const ReportTextStyle dollars{locale, true, true, "", 2};
        const ReportTextStyle units{locale, true, false, "", 2};
        for (const WorksheetDay &day : m_sheet->days()) {
            std::vector<std::string> row{std::to_string(day.answer.day)};
            for (const SheetColumn column : kSheetColumns) {
                const bool money = isMoneyColumn(column);
                row.push_back(reportText(sheetAnswer(day.answer, column),
                                         money ? ReportKind::Money : ReportKind::Units,
                                         money ? dollars : units));
            }
            rows.push_back(std::move(row));
        }
        return rows;
    }
    SheetCheck check() const { return checkSheet(*m_sheet, csvText(m_rows)); }

    std::optional<Worksheet> m_sheet;
    std::vector<std::vector<std::string>> m_rows;  // header, then day 1..20
};

TEST_F(SheetMarking, MarksExactlyThePlantedWrongCells) {
    m_rows[2][2] = "49";       // day 2 order: 48.5
    m_rows[3][3] = "abc";      // day 3 sales
    m_rows[4][4] = "";         // day 4 daily profit
    m_rows[5][5] = "$0.01";    // day 5 cumulative profit
    m_rows[6][1] = "1,5";      // day 6 demand
    m_rows[7][2] = "48.50";    // right
    m_rows[8][5] = " 682.8 ";  // right
    m_rows.erase(m_rows.begin() + 12);
    // Ignored: a second row of day 1, a day past the sheet, a row of no day.
    m_rows.insert(m_rows.end(), {{"1", "0"}, {"21", "0"}, {"x", "0"}});

    const SheetCheck marked = check();
    std::vector<std::pair<std::int32_t, SheetColumn>> wrong;
    for (const SheetCell &cell : marked.cells) {
        if (!cell.right) {
            wrong.emplace_back(cell.day, cell.column);
        }
    }
    using enum SheetColumn;
    EXPECT_EQ(wrong, (std::vector<std::pair<std::int32_t, SheetColumn>>{{2, Order},
                                                                        {3, Sales},
                                                                        {4, DailyProfit},
                                                                        {5, CumulativeProfit},
                                                                        {6, Demand},
                                                                        {12, Demand},
                                                                        {12, Order},
                                                                        {12, Sales},
                                                                        {12, DailyProfit},
                                                                        {12, CumulativeProfit}}));
    EXPECT_EQ(marked.right, 90);
    EXPECT_EQ(marked.total, 100);
    EXPECT_EQ(marked.cells[6].written, std::optional<std::string>("49"));  // day 2 order
    EXPECT_EQ(marked.cells[6].answer, *amount("48.5"));
    EXPECT_EQ(marked.cells[55].written, std::nullopt);  // day 12 demand
}

TEST_F(SheetMarking, ReadsTheFileFormsOfASpreadsheet) {
    std::string lf = "\xEF\xBB\xBF";
    for (const char c : csvText(m_rows)) {
        lf += c == '\r' ? std::string() : std::string(1, c);
    }
    EXPECT_EQ(checkSheet(*m_sheet, lf + "\n , ,\n\n").right, 100);
    EXPECT_EQ(checkSheet(*m_sheet, "").right, 0);

    // Columns by name in any order; without a header, in the header's order.
    m_rows[0] = {"Cumulative Profit", "SALES", " Day ", "daily-profit", "Demand", "Order"};
    for (std::size_t r = 1; r < m_rows.size(); ++r) {
        const auto key = m_rows[r];
        m_rows[r] = {key[5], key[3], key[0], key[4], key[1], key[2]};
    }
    EXPECT_EQ(check().right, 100);
    for (std::size_t r = 1; r < m_rows.size(); ++r) {
        const auto named = m_rows[r];
        m_rows[r] = {named[2], named[4], named[5], named[1], named[3]};  // no cumulative
    }
    m_rows.erase(m_rows.begin());
    EXPECT_EQ(check().right, 80);
}

// The key as the page shows it, in the file forms of the spreadsheets that
// write that way: fields split at commas (quoted), semicolons or tabs.
TEST_F(SheetMarking, ReadsBackTheKeyAsShownInEverySeparator) {
    struct FileForm {
        const char *name;
        NumberLocale shown;
        char separator;
    };
    const NumberLocale comma{".", ","};
    for (const FileForm &form : {FileForm{"decimal comma, semicolons", comma, ';'},
                                 FileForm{"decimal comma, tabs", comma, '\t'},
                                 FileForm{"decimal comma, quoted", comma, ','},
                                 FileForm{"plain amounts, semicolons", NumberLocale{}, ';'}}) {
        SCOPED_TRACE(form.name);
        const auto rows = keyRows(form.shown);
        std::string text;
        if (form.separator == ',') {
            text = csvText(rows);
        } else {
            for (const auto &row : rows) {
                for (std::size_t i = 0; i < row.size(); ++i) {
                    text += (i == 0 ? "" : std::string(1, form.separator)) + row[i];
                }
                text += "\r\n";
            }
        }
        EXPECT_EQ(checkSheet(*m_sheet, text, comma).right, 100);
    }
    // The same texts in a plain locale: a decimal comma is no amount there.
    EXPECT_LT(checkSheet(*m_sheet, csvText(keyRows(comma)), NumberLocale{}).right, 100);
}

}  // namespace
}  // namespace nv
