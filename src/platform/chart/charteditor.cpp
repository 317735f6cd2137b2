#include "platform/chart/charteditor.h"

#include "platform/chart/chartcontrol.h"
#include "platform/win/services.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cfloat>

namespace {

const ChartControl::SeriesKind kKinds[] = {ChartControl::Line, ChartControl::Bar, ChartControl::Pie};
const ChartControl::MarkStyle kStyles[] = {ChartControl::MarkValue,
                                           ChartControl::MarkPercent,
                                           ChartControl::MarkPercentTotal,
                                           ChartControl::MarkLabel,
                                           ChartControl::MarkLabelValue,
                                           ChartControl::MarkLabelPercent,
                                           ChartControl::MarkLabelPercentTotal};

void paintSwatch(QPushButton *button, const QColor &c)
{
    QPixmap pm(28, 14);
    pm.fill(c);
    button->setIcon(QIcon(pm));
    button->setIconSize(pm.size());
}

QDoubleSpinBox *valueBox(QWidget *parent)
{
    auto *b = new QDoubleSpinBox(parent);
    b->setRange(-1e12, 1e12);
    b->setDecimals(2);
    b->setGroupSeparatorShown(true);
    return b;
}

} // namespace

ChartEditor::ChartEditor(ChartControl *chart, QWidget *parent)
    : QDialog(parent ? parent : chart)
    , m_chart(chart)
{
    setWindowTitle(QStringLiteral("그래프 설정"));
    setObjectName(QStringLiteral("ChartEditor"));

    m_kind = new QComboBox(this);
    m_kind->addItems({QStringLiteral("선형"), QStringLiteral("막대"), QStringLiteral("원형")});
    m_view3D = new QCheckBox(QStringLiteral("입체"), this);
    m_depth = new QSpinBox(this);
    m_depth->setRange(0, 100);
    m_depth->setSuffix(QStringLiteral(" %"));
    m_header = new QLineEdit(this);
    m_leftTitle = new QLineEdit(this);
    m_leftAuto = new QCheckBox(QStringLiteral("자동"), this);
    m_leftMin = valueBox(this);
    m_leftMax = valueBox(this);
    m_angle = new QComboBox(this);
    m_angle->addItems({QStringLiteral("가로 (0°)"), QStringLiteral("세로 (90°)")});
    m_marks = new QCheckBox(QStringLiteral("값 표시"), this);
    m_marksStyle = new QComboBox(this);
    m_marksStyle->addItems({QStringLiteral("Y값"), QStringLiteral("Y비율"), QStringLiteral("Y비율 Y합계"),
                            QStringLiteral("X값"), QStringLiteral("X값 Y값"), QStringLiteral("X값 Y비율"),
                            QStringLiteral("X값 Y비율 Y합계")});
    m_perPage = new QSpinBox(this);
    m_perPage->setRange(0, 100000);
    m_perPage->setSpecialValueText(QStringLiteral("모두"));
    m_rotation = new QSpinBox(this);
    m_rotation->setRange(0, 359);
    m_rotation->setSuffix(QStringLiteral("°"));
    m_legend = new QCheckBox(QStringLiteral("범례 보기"), this);
    m_panelButton = new QPushButton(QStringLiteral("배경색..."), this);
    m_wallButton = new QPushButton(QStringLiteral("벽면색..."), this);

    // start from the chart
    const int kindIndex = chart->seriesKind() == ChartControl::Line ? 0
        : chart->seriesKind() == ChartControl::Pie                  ? 2
                                                                    : 1;
    m_kind->setCurrentIndex(kindIndex);
    m_view3D->setChecked(chart->view3D());
    m_depth->setValue(chart->view3DDepth());
    m_header->setText(chart->headerLine(0));
    m_leftTitle->setText(chart->leftAxisTitle());
    m_leftAuto->setChecked(chart->leftAxisAutomatic());
    m_leftMin->setValue(chart->leftAxisAutomatic() ? chart->leftAxisShownMinimum() : chart->leftAxisMinimum());
    m_leftMax->setValue(chart->leftAxisAutomatic() ? chart->leftAxisShownMaximum() : chart->leftAxisMaximum());
    m_angle->setCurrentIndex(chart->bottomLabelAngle() == 90 ? 1 : 0);
    m_marks->setChecked(chart->marksVisible());
    for (int i = 0; i < 7; ++i)
        if (kStyles[i] == chart->marksStyle())
            m_marksStyle->setCurrentIndex(i);
    m_perPage->setValue(chart->maxPointsPerPage());
    m_rotation->setValue(chart->pieRotation());
    m_legend->setChecked(chart->legendVisible());
    m_panelColour = chart->panelColour();
    m_wallColour = chart->wallColour();
    paintSwatch(m_panelButton, m_panelColour);
    paintSwatch(m_wallButton, m_wallColour);

    auto *series = new QGroupBox(QStringLiteral("계열"), this);
    auto *sf = new QFormLayout(series);
    sf->addRow(QStringLiteral("종류"), m_kind);
    auto *look = new QHBoxLayout;
    look->addWidget(m_view3D);
    look->addWidget(new QLabel(QStringLiteral("깊이"), this));
    look->addWidget(m_depth);
    look->addStretch();
    sf->addRow(QStringLiteral("모양"), look);
    auto *marks = new QHBoxLayout;
    marks->addWidget(m_marks);
    marks->addWidget(m_marksStyle, 1);
    sf->addRow(QStringLiteral("값"), marks);
    sf->addRow(QStringLiteral("한 화면 개수"), m_perPage);
    sf->addRow(QStringLiteral("원형 회전"), m_rotation);

    auto *axes = new QGroupBox(QStringLiteral("제목과 축"), this);
    auto *af = new QFormLayout(axes);
    af->addRow(QStringLiteral("머리글"), m_header);
    af->addRow(QStringLiteral("세로축 제목"), m_leftTitle);
    auto *range = new QHBoxLayout;
    range->addWidget(m_leftAuto);
    range->addWidget(m_leftMin, 1);
    range->addWidget(new QLabel(QStringLiteral("~"), this));
    range->addWidget(m_leftMax, 1);
    af->addRow(QStringLiteral("세로축 범위"), range);
    af->addRow(QStringLiteral("가로축 글자"), m_angle);

    auto *colours = new QHBoxLayout;
    colours->addWidget(m_panelButton);
    colours->addWidget(m_wallButton);
    colours->addWidget(m_legend);
    colours->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("확인"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("취소"));

    auto *v = new QVBoxLayout(this);
    v->addWidget(series);
    v->addWidget(axes);
    v->addLayout(colours);
    v->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_panelButton, &QPushButton::clicked, this, [this] { pickColour(m_panelButton, &m_panelColour); });
    connect(m_wallButton, &QPushButton::clicked, this, [this] { pickColour(m_wallButton, &m_wallColour); });
    connect(m_leftAuto, &QCheckBox::toggled, this, &ChartEditor::updateEnabled);
    connect(m_marks, &QCheckBox::toggled, this, &ChartEditor::updateEnabled);
    connect(m_view3D, &QCheckBox::toggled, this, &ChartEditor::updateEnabled);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &ChartEditor::updateEnabled);
    updateEnabled();
}

void ChartEditor::updateEnabled()
{
    const bool pie = m_kind->currentIndex() == 2;
    m_depth->setEnabled(m_view3D->isChecked());
    m_leftMin->setEnabled(!pie && !m_leftAuto->isChecked());
    m_leftMax->setEnabled(!pie && !m_leftAuto->isChecked());
    m_leftAuto->setEnabled(!pie);
    m_angle->setEnabled(!pie);
    m_perPage->setEnabled(!pie);
    m_rotation->setEnabled(pie);
    m_marksStyle->setEnabled(m_marks->isChecked());
}

void ChartEditor::pickColour(QPushButton *button, QColor *colour)
{
    const QColor c = QColorDialog::getColor(*colour, this, QStringLiteral("색 선택"));
    if (!c.isValid())
        return;
    *colour = c;
    paintSwatch(button, c);
}

void ChartEditor::apply()
{
    ChartControl *c = m_chart;
    const ChartControl::SeriesKind kind = kKinds[std::clamp(m_kind->currentIndex(), 0, 2)];
    if (c->seriesCount() > 0 && c->seriesKind() != kind)
        c->setSeriesKind(kind);
    c->setView3D(m_view3D->isChecked());
    c->setView3DDepth(m_depth->value());
    c->setHeaderLine(0, m_header->text());
    c->setLeftAxisTitle(m_leftTitle->text());
    c->setLeftAxisAutomatic(m_leftAuto->isChecked());
    if (!m_leftAuto->isChecked())
        c->setLeftAxisMinMax(std::min(m_leftMin->value(), m_leftMax->value()),
                             std::max(m_leftMin->value(), m_leftMax->value()));
    c->setBottomLabelAngle(m_angle->currentIndex() == 1 ? 90 : 0);
    c->setMarksVisible(m_marks->isChecked());
    c->setMarksStyle(kStyles[std::clamp(m_marksStyle->currentIndex(), 0, 6)]);
    c->setMaxPointsPerPage(m_perPage->value());
    c->setPieRotation(m_rotation->value());
    c->setLegendVisible(m_legend->isChecked());
    c->setPanelColour(m_panelColour);
    c->setWallColour(m_wallColour);
}

ChartEditor::AnswerHook &ChartEditor::answerHook()
{
    static Platform::ResetHook<AnswerHook> reset;
    return reset.hook;
}
