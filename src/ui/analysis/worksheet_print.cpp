// The worksheet's pages: measured in millimetres, painted through QPainter.
#include "ui/analysis/worksheet_print.h"

#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <array>

#include "engine/analysis/report_text.h"
#include "engine/worksheet/worksheet_report.h"
#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_table_model.h"

namespace nv::ui {

namespace {

constexpr double kMargin = 15;  // mm, every side
constexpr double kTitleHeight = 12;
constexpr double kInputsHeight = 8;
constexpr double kIntervalRow = 5.5;
constexpr double kGap = 6;
constexpr double kHeaderHeight = 9;
constexpr double kRowHeight = 7.5;
constexpr double kFooterHeight = 10;
// Relative widths of the day table's seven columns.
constexpr std::array<double, 7> kDayWidths = {10, 17, 17, 17, 17, 22, 24};

[[nodiscard]] QSizeF paperMm(QPageSize::PageSizeId paper) {
    return QPageSize(paper).size(QPageSize::Millimeter);
}

// The interval table: a heading row and one row per class.
[[nodiscard]] double intervalsHeight() {
    return kIntervalRow * (1 + kDemandClasses) + kGap;
}

[[nodiscard]] int firstPageRows(double pageHeight) {
    const double room = pageHeight - 2 * kMargin - kTitleHeight - kInputsHeight -
                        intervalsHeight() - kHeaderHeight - kFooterHeight;
    return std::max(1, static_cast<int>(room / kRowHeight));
}

[[nodiscard]] int laterPageRows(double pageHeight) {
    const double room = pageHeight - 2 * kMargin - kTitleHeight - kHeaderHeight - kFooterHeight;
    return std::max(1, static_cast<int>(room / kRowHeight));
}

[[nodiscard]] int partPages(int days, double pageHeight) {
    const int first = firstPageRows(pageHeight);
    if (days <= first) {
        return 1;
    }
    const int later = laterPageRows(pageHeight);
    return 1 + (days - first + later - 1) / later;
}

[[nodiscard]] QString cellText(const ReportScalar &value, ReportKind kind) {
    ReportTextStyle style = windowTextStyle();
    style.absent.clear();
    return toQString(reportText(value, kind, style));
}

// Paints the pages of one report (the blank sheet or the key) that fall in
// the pages printed, numbered in the whole document.
class PagePainter {
public:
    PagePainter(QPagedPaintDevice &device, QPainter &painter, int pageCount, int fromPage,
                int toPage)
        : m_device(device),
          m_painter(painter),
          m_pageCount(pageCount),
          m_fromPage(fromPage),
          m_toPage(toPage) {
        m_scale = device.logicalDpiY() / 25.4;
        const QSizeF size = device.pageLayout().fullRect(QPageLayout::Millimeter).size();
        m_width = size.width();
        m_height = size.height();
    }

    void paintPart(const Report &report, const Worksheet &sheet) {
        const ReportItem *days = report.find("", "", "days");
        const auto &rows = days->rows;
        const int first = firstPageRows(m_height);
        const int later = laterPageRows(m_height);
        std::size_t next = 0;
        bool firstPage = true;
        while (firstPage || next < rows.size()) {
            const auto count = static_cast<std::size_t>(firstPage ? first : later);
            const std::size_t end = std::min(rows.size(), next + count);
            if (startPage()) {
                double y = kMargin;
                y = paintTitle(toQString(report.title), y);
                if (firstPage) {
                    y = paintInputs(sheet, y);
                    y = paintIntervals(*report.find("", "", "intervals"), y);
                }
                paintDays(*days, next, end, y);
            }
            next = end;
            firstPage = false;
        }
    }

private:
    [[nodiscard]] QRectF mm(double x, double y, double w, double h) const {
        return {x * m_scale, y * m_scale, w * m_scale, h * m_scale};
    }

    void setFont(double points, bool bold) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(points);
        font.setBold(bold);
        m_painter.setFont(font);
    }

    // The next page of the document: false when it is not printed.
    bool startPage() {
        ++m_page;
        if (m_page < m_fromPage || m_page > m_toPage) {
            return false;
        }
        if (m_painted > 0) {
            m_device.newPage();
        }
        ++m_painted;
        setFont(8, false);
        m_painter.drawText(mm(kMargin, m_height - kMargin - kFooterHeight / 2,
                              m_width - 2 * kMargin, kFooterHeight / 2),
                           Qt::AlignCenter,
                           QObject::tr("Page %1 of %2").arg(m_page).arg(m_pageCount));
        return true;
    }

    double paintTitle(const QString &title, double y) {
        setFont(14, true);
        m_painter.drawText(mm(kMargin, y, m_width - 2 * kMargin, kTitleHeight),
                           Qt::AlignLeft | Qt::AlignTop, title);
        return y + kTitleHeight;
    }

    double paintInputs(const Worksheet &sheet, double y) {
        const AnalysisParameters &p = sheet.plan().parameters();
        const QString policy = sheet.plan().policy() == OrderPolicy::Annual
                                   ? QObject::tr("Average Annual Demand")
                                   : QObject::tr("Yesterday's Demand");
        QString line = QObject::tr("Price %1   Cost %2   Order policy: %3   Days: %4")
                           .arg(cellText(p.price(), ReportKind::Money),
                                cellText(p.cost(), ReportKind::Money), policy)
                           .arg(p.days());
        if (sheet.seed()) {
            line += QObject::tr("   Seed: %1").arg(*sheet.seed());
        }
        setFont(9, false);
        m_painter.drawText(mm(kMargin, y, m_width - 2 * kMargin, kInputsHeight),
                           Qt::AlignLeft | Qt::AlignTop, line);
        return y + kInputsHeight;
    }

    double paintIntervals(const ReportItem &intervals, double y) {
        const std::array<QString, 4> headings = {
            QObject::tr("Demand (units)"), QObject::tr("Relative frequency"),
            QObject::tr("Cumulative frequency"), QObject::tr("Random numbers")};
        constexpr double kWidth = 42;
        setFont(8.5, true);
        for (std::size_t c = 0; c < headings.size(); ++c) {
            m_painter.drawText(
                mm(kMargin + static_cast<double>(c) * kWidth, y, kWidth, kIntervalRow),
                Qt::AlignLeft | Qt::AlignVCenter, headings[c]);
        }
        setFont(8.5, false);
        for (const auto &row : intervals.rows) {
            y += kIntervalRow;
            const QString first = cellText(row[3], ReportKind::Text);
            const QString numbers = first.isEmpty() ? QObject::tr("none")
                                                    : first + QStringLiteral("\u2013") +
                                                          cellText(row[4], ReportKind::Text);
            const std::array<QString, 4> cells = {cellText(row[0], ReportKind::Units),
                                                  cellText(row[1], ReportKind::Ratio),
                                                  cellText(row[2], ReportKind::Ratio), numbers};
            for (std::size_t c = 0; c < cells.size(); ++c) {
                m_painter.drawText(
                    mm(kMargin + static_cast<double>(c) * kWidth, y, kWidth, kIntervalRow),
                    Qt::AlignLeft | Qt::AlignVCenter, cells[c]);
            }
        }
        return y + kIntervalRow + kGap;
    }

    void paintDays(const ReportItem &days, std::size_t from, std::size_t to, double y) {
        constexpr int kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
        constexpr int kRight = Qt::AlignRight | Qt::AlignVCenter;
        double total = 0;
        for (const double w : kDayWidths) {
            total += w;
        }
        const double usable = m_width - 2 * kMargin;
        std::array<double, 7> x{};
        double at = kMargin;
        for (std::size_t c = 0; c < x.size(); ++c) {
            x[c] = at;
            at += kDayWidths[c] * usable / total;
        }
        const auto width = [&](std::size_t c) { return kDayWidths[c] * usable / total; };
        m_painter.setPen(QPen(Qt::black, 0.2 * m_scale));
        setFont(8, true);
        for (std::size_t c = 0; c < days.columns.size() && c < x.size(); ++c) {
            const QRectF cell = mm(x[c], y, width(c), kHeaderHeight);
            m_painter.drawRect(cell);
            m_painter.drawText(cell.adjusted(m_scale, 0, -m_scale, 0),
                               Qt::AlignCenter | Qt::TextWordWrap,
                               toQString(days.columns[c].label));
        }
        y += kHeaderHeight;
        setFont(9.5, false);
        for (std::size_t r = from; r < to; ++r) {
            const auto &row = days.rows[r];
            for (std::size_t c = 0; c < row.size() && c < x.size(); ++c) {
                const QRectF cell = mm(x[c], y, width(c), kRowHeight);
                m_painter.drawRect(cell);
                m_painter.drawText(cell.adjusted(1.5 * m_scale, 0, -1.5 * m_scale, 0),
                                   c < 2 ? kCentred : kRight,
                                   cellText(row[c], days.columns[c].kind));
            }
            y += kRowHeight;
        }
    }

    QPagedPaintDevice &m_device;
    QPainter &m_painter;
    int m_pageCount;
    int m_fromPage;
    int m_toPage;
    int m_page = 0;     // the page of the document reached
    int m_painted = 0;  // the pages painted
    double m_scale = 1;
    double m_width = 210;
    double m_height = 297;
};

}  // namespace

int worksheetPartPages(const Worksheet &sheet, QPageSize::PageSizeId paper) {
    return partPages(static_cast<int>(sheet.days().size()), paperMm(paper).height());
}

bool paintWorksheet(QPagedPaintDevice &device, const Worksheet &sheet, int fromPage, int toPage) {
    device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const double height = device.pageLayout().fullRect(QPageLayout::Millimeter).height();
    const int part = partPages(static_cast<int>(sheet.days().size()), height);
    const int first = std::max(1, fromPage);
    const int last = toPage <= 0 ? 2 * part : std::min(toPage, 2 * part);
    if (first > last) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    PagePainter pages(device, painter, 2 * part, first, last);
    pages.paintPart(worksheetReport(sheet, false), sheet);
    pages.paintPart(worksheetReport(sheet, true), sheet);
    return painter.end();
}

bool printWorksheet(QPrinter &printer, const Worksheet &sheet) {
    if (printer.printRange() == QPrinter::PageRange || printer.fromPage() > 0) {
        return paintWorksheet(printer, sheet, printer.fromPage(), printer.toPage());
    }
    return paintWorksheet(printer, sheet);
}

std::optional<QString> writeWorksheetPdf(const QString &path, const Worksheet &sheet,
                                         QPageSize::PageSizeId paper) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(paper));
        writer.setResolution(300);
        writer.setTitle(QObject::tr("Hand simulation worksheet"));
        writer.setCreator(QStringLiteral("Newsvendor Simulation"));
        if (!paintWorksheet(writer, sheet)) {
            file.cancelWriting();
            return QObject::tr("The pages could not be drawn");
        }
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

QPageSize::PageSizeId defaultPaper() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                      : QPageSize::A4;
}

}  // namespace nv::ui
