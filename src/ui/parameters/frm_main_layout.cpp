// frmMain's controls: names, kinds, captions, geometry, focus order, initial
// state and list entries. They sit in the client area, the widget under the
// menu bar (frm_main_menu.cpp), at the positions designed for the window's
// client area.
//
// The geometry is designed in twips (15 to a pixel) for a dialog font in which
// a one-line label is 13 pixels high. A wider default font would cut
// captions off, so after the controls are placed every caption is measured
// in the font actually in use, and a control whose caption does not fit
// grows: auto-sized labels, option buttons and command buttons to the right
// (their top-left corner stays), the two wrapped column headings about their
// centre, Frame1 around its option buttons, and the window around everything.
// In the designed font nothing moves or grows.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <initializer_list>

#include "ui/parameters/frequency_box.h"
#include "ui/parameters/frm_main.h"
#include "ui/toolkit/qt/twips.h"

namespace nv::ui {

namespace {

constexpr QSize kClientArea = twipsSize(7725, 4350);
// Room kept between a grown child and the right or bottom edge of Frame1
// (what the design leaves right of "Average Annual Demand") and of the window.
constexpr int kFrameMargin = 8;
constexpr int kWindowMargin = 8;

// The demand classes' rows, 360 twips apart from top 2040.
constexpr int kFirstRowTop = 2040;
constexpr int kRowPitch = 360;

QLabel *makeLabel(QWidget *parent, const char *name, const char *caption, QRect geometry,
                  Qt::Alignment horizontal) {
    auto *label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

QComboBox *makeCombo(QWidget *parent, const char *name, const char *accessibleName,
                     std::initializer_list<const char *> entries, QRect geometry) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    // A plain editable drop-down: typing never adds an entry and nothing
    // completes the typed text.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    for (const char *entry : entries) {
        combo->addItem(QString::fromLatin1(entry));
    }
    // No entry is selected until the load handler picks one.
    combo->setCurrentIndex(-1);
    combo->setAccessibleName(QString::fromUtf8(accessibleName));
    combo->setGeometry(geometry);
    return combo;
}

// An option button of Frame1. The options exclude each other as usual, and
// each one stays a stop of the Tab key: Qt keeps only the focused option of
// an exclusive group in the Tab chain, the window's focus order has both.
class OptionButton final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void focusInEvent(QFocusEvent *event) override {
        QRadioButton::focusInEvent(event);
        const QList<QRadioButton *> options =
            parentWidget()->findChildren<QRadioButton *>(QString(), Qt::FindDirectChildrenOnly);
        for (QRadioButton *option : options) {
            option->setFocusPolicy(Qt::StrongFocus);
        }
    }
};

QRadioButton *makeOption(QGroupBox *frame, const char *name, const char *caption, QRect geometry) {
    auto *option = new OptionButton(QString::fromUtf8(caption), frame);
    option->setFocusPolicy(Qt::StrongFocus);
    option->setObjectName(QString::fromLatin1(name));
    option->setAccessibleName(QString::fromUtf8(caption));
    option->setGeometry(geometry);
    return option;
}

QPushButton *makeButton(QWidget *parent, const char *name, const char *caption, QRect geometry) {
    auto *button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    // No default button: Enter and Esc click nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setAccessibleName(QString::fromUtf8(caption));
    button->setGeometry(geometry);
    return button;
}

// Grows a widget to at least the given size, keeping its top-left corner.
void growTo(QWidget *widget, QSize needed) {
    widget->resize(widget->size().expandedTo(needed));
}

// The smallest width, from the current one up to twice it, at which a
// word-wrapped label's caption fits its height; the label widens about its
// centre.
void widenToFitHeight(QLabel *label) {
    const QRect box = label->geometry();
    int width = box.width();
    while (label->heightForWidth(width) > box.height() && width < 2 * box.width()) {
        ++width;
    }
    if (width == box.width()) {
        return;
    }
    const int left = box.left() - (width - box.width()) / 2;
    label->setGeometry(left, box.top(), width, box.height());
}

// The room an option button needs for its indicator and one-line caption.
QSize optionNeeds(const QRadioButton *option) {
    return {option->sizeHint().width(), option->fontMetrics().height()};
}

// The room a command button needs for its caption inside its frame.
QSize buttonNeeds(const QPushButton *button) {
    QStyleOptionButton opt;
    opt.initFrom(button);
    const int frame = 2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, button);
    return {button->fontMetrics().horizontalAdvance(button->text()) + frame,
            button->fontMetrics().height() + frame};
}

}  // namespace

void FrmMain::createControls() {
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setAccessibleName(QStringLiteral("Simulation Parameters"));
    QWidget *const client = m_client;

    // Top band: the three lists with their captions.
    m_label1 = makeLabel(client, "Label1", "Number of Runs", twipsRect(600, 240, 1155, 195),
                         Qt::AlignLeft);
    m_cboRuns = makeCombo(client, "cboRuns", "Number of Runs", {"100", "250", "500", "1000"},
                          twipsRect(600, 480, 1215, 315));
    m_label2 = makeLabel(client, "Label2", "Price", twipsRect(2400, 240, 360, 195), Qt::AlignLeft);
    m_cboPrice = makeCombo(client, "cboPrice", "Price",
                           {"4.30", "4.40", "4.50", "4.60", "4.70", "4.80", "4.90"},
                           twipsRect(2040, 480, 1215, 315));
    m_label3 = makeLabel(client, "Label3", "Cost", twipsRect(3840, 240, 315, 195), Qt::AlignLeft);
    m_cboCost =
        makeCombo(client, "cboCost", "Cost", {"2.10", "2.20", "2.30", "2.40", "2.50", "2.60"},
                  twipsRect(3480, 480, 1215, 315));

    // Top right: the order policy, two exclusive options placed in the frame.
    m_frame1 = new QGroupBox(QStringLiteral("Order Policy"), client);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setAccessibleName(QStringLiteral("Order Policy"));
    m_frame1->setGeometry(twipsRect(4800, 240, 2535, 1335));
    m_optYesterday =
        makeOption(m_frame1, "optYesterday", "Yesterday's Demand", twipsRect(240, 360, 2055, 255));
    m_optAnnual =
        makeOption(m_frame1, "optAnnual", "Average Annual Demand", twipsRect(240, 840, 2175, 255));

    // Left middle: the table of demand classes and their frequencies.
    m_label4 = makeLabel(client, "Label4", "Average Daily Demand", twipsRect(600, 1440, 1095, 495),
                         Qt::AlignHCenter);
    m_label4->setWordWrap(true);
    m_label10 = makeLabel(client, "Label10", "Relative Frequency", twipsRect(1800, 1440, 975, 495),
                          Qt::AlignHCenter);
    m_label10->setWordWrap(true);
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        const int row = static_cast<int>(cls);
        const int top = kFirstRowTop + row * kRowPitch;
        const QByteArray labelName = "Label" + QByteArray::number(5 + row);
        const QByteArray demand = QByteArray::number(kClassDemand[cls]);
        m_demandLabels[cls] = makeLabel(client, labelName.constData(), demand.constData(),
                                        twipsRect(1080, top, 195, 195), Qt::AlignHCenter);

        auto *box = new FrequencyBox(client);
        box->setObjectName(QStringLiteral("txt%1").arg(35 + 10 * row));
        box->setAccessibleName(
            QStringLiteral("Relative frequency for demand %1").arg(QString::fromLatin1(demand)));
        box->setGeometry(twipsRect(1920, top, 735, 285));
        m_txt[cls] = box;
    }

    // The total under the boxes, as large as each of them, with a thin border.
    // It has no accessible name of its own: its text is what is read out.
    m_lblTotal = makeLabel(client, "lblTotal", "", twipsRect(1920, 3840, 735, 285), Qt::AlignRight);
    m_lblTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblTotal->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_lblTotal->setLineWidth(1);
    m_lblTotal->setIndent(2);
    m_lblTotal->setAccessibleDescription(QStringLiteral("Total of the relative frequencies"));
    m_label11 = makeLabel(client, "Label11", "Must add to 1.00", twipsRect(2880, 3840, 1200, 195),
                          Qt::AlignLeft);

    // Right column: the commands and the progress bar.
    m_cmdRun = makeButton(client, "cmdRun", "Run Simulation", twipsRect(5400, 1800, 1455, 495));
    m_pgbRun = new QProgressBar(client);
    m_pgbRun->setObjectName(QStringLiteral("pgbRun"));
    m_pgbRun->setAccessibleName(QStringLiteral("Run progress"));
    m_pgbRun->setRange(0, 100);
    m_pgbRun->setValue(0);
    m_pgbRun->setGeometry(twipsRect(5400, 2400, 1455, 255));
    m_cmdShow = makeButton(client, "cmdShow", "Show Results", twipsRect(5400, 2760, 1455, 495));
    m_cmdShow->setEnabled(false);
    m_cmdExit = makeButton(client, "cmdExit", "Exit", twipsRect(5400, 3360, 1455, 495));

    m_client->resize(kClientArea);
}

void FrmMain::setFocusOrder() {
    QWidget *const order[] = {m_cboRuns, m_cboPrice, m_cboCost, m_optYesterday, m_optAnnual,
                              m_txt[0],  m_txt[1],   m_txt[2],  m_txt[3],       m_txt[4],
                              m_cmdRun,  m_cmdShow,  m_cmdExit};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    m_cboRuns->setFocus(Qt::OtherFocusReason);
}

void FrmMain::fitCaptionsToFont() {
    for (QLabel *label : {m_label1, m_label2, m_label3, m_label11}) {
        growTo(label, label->sizeHint());
    }
    for (QLabel *label : m_demandLabels) {
        growTo(label, label->sizeHint());
    }
    widenToFitHeight(m_label4);
    widenToFitHeight(m_label10);

    for (QRadioButton *option : {m_optYesterday, m_optAnnual}) {
        growTo(option, optionNeeds(option));
    }
    QRect options = m_optYesterday->geometry().united(m_optAnnual->geometry());
    growTo(m_frame1, {options.right() + 1 + kFrameMargin, options.bottom() + 1 + kFrameMargin});

    for (QPushButton *button : {m_cmdRun, m_cmdShow, m_cmdExit}) {
        growTo(button, buttonNeeds(button));
    }

    QRect all;
    for (QWidget *child :
         m_client->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        all = all.united(child->geometry());
    }
    growTo(m_client, {all.right() + 1 + kWindowMargin, all.bottom() + 1 + kWindowMargin});
}

}  // namespace nv::ui
