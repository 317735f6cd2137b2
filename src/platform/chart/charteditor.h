#pragma once

#include <QColor>
#include <QDialog>

#include <functional>

class ChartControl;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The chart's own small settings dialog: type, 3D, header, axes, marks, paging and colours.
// The controls start from the chart's settings; OK writes them back to the chart.
class ChartEditor : public QDialog
{
    Q_OBJECT

public:
    explicit ChartEditor(ChartControl *chart, QWidget *parent = nullptr);

    // A test's answer to the editor: called with the modal editor once it is open (empty: the
    // user answers). It goes back to empty with Platform::resetServices().
    using AnswerHook = std::function<void(ChartEditor *editor)>;
    static AnswerHook &answerHook();

    // Writes the dialog's settings into the chart (what OK does before closing).
    void apply();

    QComboBox *kindBox() const { return m_kind; }
    QCheckBox *view3DBox() const { return m_view3D; }
    QSpinBox *depthBox() const { return m_depth; }
    QLineEdit *headerEdit() const { return m_header; }
    QLineEdit *leftTitleEdit() const { return m_leftTitle; }
    QCheckBox *leftAutoBox() const { return m_leftAuto; }
    QDoubleSpinBox *leftMinBox() const { return m_leftMin; }
    QDoubleSpinBox *leftMaxBox() const { return m_leftMax; }
    QComboBox *labelAngleBox() const { return m_angle; }
    QCheckBox *marksBox() const { return m_marks; }
    QComboBox *marksStyleBox() const { return m_marksStyle; }
    QSpinBox *perPageBox() const { return m_perPage; }
    QSpinBox *rotationBox() const { return m_rotation; }
    QCheckBox *legendBox() const { return m_legend; }

private:
    void pickColour(QPushButton *button, QColor *colour);
    void updateEnabled();

    ChartControl *m_chart;
    QComboBox *m_kind;
    QCheckBox *m_view3D;
    QSpinBox *m_depth;
    QLineEdit *m_header;
    QLineEdit *m_leftTitle;
    QCheckBox *m_leftAuto;
    QDoubleSpinBox *m_leftMin;
    QDoubleSpinBox *m_leftMax;
    QComboBox *m_angle;
    QCheckBox *m_marks;
    QComboBox *m_marksStyle;
    QSpinBox *m_perPage;
    QSpinBox *m_rotation;
    QCheckBox *m_legend;
    QPushButton *m_panelButton;
    QPushButton *m_wallButton;
    QColor m_panelColour;
    QColor m_wallColour;
};
