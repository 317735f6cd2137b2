#pragma once

#include "rate/rateimport.h"

#include <QDialog>

#include <array>
#include <optional>

class DataAccess;
class RateWriter;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class SpreadGrid;
class btnButton;

// The preview of a file's rates before anything is written ("파일에서 가져오기"): every row with
// its outcome (추가, 수정 with the stored values, 동일, 거부 with the input panel's reason), the
// count of each, the columns found (or picked by the user when the headers are not known), and
// the choice to apply the new days only or the new and the changed ones.
class FrmRateImport : public QDialog
{
    Q_OBJECT

public:
    // `writer` is the window's own: the import writes as its save does.
    FrmRateImport(DataAccess *da, RateWriter *writer, QWidget *parent = nullptr);

    // Reads the file and shows its preview. False (after a notice in the message screen) when
    // the file cannot be read or the table cannot be compared; the window stays hidden then.
    bool load(const QString &path);

    // The open-file dialog of the import: the chosen file, or nullopt for Cancel (the services'
    // importFileDialog answers instead when set).
    static std::optional<QString> chooseFile(QWidget *parent);

    const RateImport::Preview &preview() const { return m_preview; }
    QString path() const { return m_path; }

    // --- controls ---
    QLabel *lblFile = nullptr;
    QLabel *lblMapHint = nullptr;
    QSpinBox *spnHeader = nullptr; // header row, 0 = none
    std::array<QComboBox *, RateImport::FieldCount> cboField{}; // column of each field
    SpreadGrid *SS = nullptr;
    QLabel *lblCount = nullptr;
    QRadioButton *optNewOnly = nullptr;
    QRadioButton *optNewAndChanged = nullptr;
    btnButton *btnApply = nullptr;
    btnButton *btnClose = nullptr;

signals:
    // Rows were written (the owner shows the result in its grid).
    void applied();

private:
    void createControls();
    void fillMapping();
    void mappingChanged();
    void recompute();
    void fillGrid();
    void btnApply_Click();
    RateImport::Scope scope() const;
    void updateApply();

    DataAccess *m_da;
    RateWriter *m_writer;
    QString m_path;
    SheetReader::Result m_file;
    RateImport::Preview m_preview;
    bool m_filling = false;
};
