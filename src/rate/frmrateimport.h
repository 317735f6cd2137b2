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
    // Shows the rows of a fetch from the internet ("인터넷에서 환율 받기"): no file and no mapping,
    // each row's services in the first column. False (after a notice) when the table cannot be
    // compared.
    bool loadFetched(const RateImport::Preview &preview, const QString &what);

    // The open-file dialog of the import: the chosen file, or nullopt for Cancel (the services'
    // importFileDialog answers instead when set).
    static std::optional<QString> chooseFile(QWidget *parent);

    const RateImport::Preview &preview() const { return m_preview; }
    QString path() const { return m_path; }

    // the controls the tests reach
    QLabel *fileLabel() const { return m_fileLabel; }
    // the sheet to read, shown only when several sheets of the workbook have a rate table
    QComboBox *sheetBox() const { return m_sheetBox; }
    QLabel *mapHint() const { return m_mapHint; }
    QSpinBox *headerRowBox() const { return m_headerRow; }
    QComboBox *fieldBox(RateImport::Field field) const { return m_fieldBoxes[size_t(field)]; }
    SpreadGrid *grid() const { return m_grid; }
    QLabel *countLabel() const { return m_countLabel; }
    QRadioButton *newOnlyOption() const { return m_newOnly; }
    QRadioButton *newAndChangedOption() const { return m_newAndChanged; }
    btnButton *applyButton() const { return m_applyButton; }
    btnButton *closeButton() const { return m_closeButton; }

signals:
    // Rows were written (the owner shows the result in its grid).
    void applied();

private:
    void createControls();
    void fillMapping();
    void sheetChanged();
    const SheetTable &table() const;
    void mappingChanged();
    void recompute();
    void fillGrid();
    void apply();
    RateImport::Scope scope() const;
    void updateApply();

    QLabel *m_fileLabel = nullptr;
    QLabel *m_sheetTitle = nullptr;
    QComboBox *m_sheetBox = nullptr;
    QLabel *m_mapHint = nullptr; // why the columns must be picked by hand, when they must
    QSpinBox *m_headerRow = nullptr; // header row, 0 = none
    std::array<QComboBox *, RateImport::FieldCount> m_fieldBoxes{}; // column of each field
    SpreadGrid *m_grid = nullptr;
    QLabel *m_countLabel = nullptr;
    QRadioButton *m_newOnly = nullptr;
    QRadioButton *m_newAndChanged = nullptr;
    btnButton *m_applyButton = nullptr;
    btnButton *m_closeButton = nullptr;

    DataAccess *m_da;
    RateWriter *m_writer;
    QString m_path;
    SheetReader::Result m_file;
    int m_sheet = 0; // of m_file.sheets
    RateImport::Preview m_preview;
    bool m_filling = false;
    bool m_fetched = false; // rows of a fetch: no file to read again
    QList<QWidget *> m_mapWidgets; // the mapping step's row
};
