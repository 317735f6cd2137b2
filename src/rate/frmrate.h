#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class DataAccess;

// The main window "환율관리 프로그램". Loading it starts the program; closing it ends the process.
class FrmRate : public QWidget
{
    Q_OBJECT

public:
    explicit FrmRate(QWidget *parent = nullptr);
    ~FrmRate() override;

    // The start-up sequence. False when the process must end now (a second copy, or the
    // connection settings could not be used); the boxes have been shown by then.
    bool Form_Load();
    // Releases the data access and the grid record, then ends the process.
    void Form_Unload();

    // The default state of the input panel (also the clear command's last step).
    void sbForm_Default();

    DataAccess *dataAccess() const { return m_dataAccess.get(); }
    QString ScreenMode() const { return m_screenMode; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Start-up steps after the connection exists; each may raise, and then the "자료 관리"
    // box is shown and the next step runs.
    void sbAttach_DataAccess();
    void sbSS_Init();
    void sbForm_Layout();
    void sbRelease_GridRecord();
    void showUnexpectedError(const QString &description);
    template <typename Step> void runStep(Step step);

    std::unique_ptr<DataAccess> m_dataAccess;
    QString m_screenMode;
    bool m_unloaded = false;
};
