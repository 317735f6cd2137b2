#pragma once

// Drives the real zozura executable on an X server of its own (Xvfb) with xdotool, the way a
// user drives it: windows found by their titles, clicks at window-relative points, typing. The
// program's message screens are read from its stderr (ZOZURA_LOG_MSGSCR); its standard boxes by
// their window titles. A failing case leaves a screenshot in <build>/e2e-artifacts.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

class E2eDriver
{
public:
    struct Point
    {
        int x;
        int y;
    };

    // Window-relative points (pixels at 96 dpi) of the main window's controls, as laid out for
    // its start-up size; the window sits undecorated since Xvfb runs no window manager.
    static constexpr Point StdDate{139, 35};
    static constexpr Point Usd{139, 59};
    static constexpr Point Vnd{319, 59};
    static constexpr Point Krw{499, 59};
    static constexpr Point Remark{319, 83};
    static constexpr Point ClearButton{639, 40};
    static constexpr Point SaveButton{595, 73};
    static constexpr Point DeleteButton{683, 73};
    static constexpr Point FromDate{139, 137};
    static constexpr Point ToDate{241, 137};
    static constexpr Point QueryButton{335, 137};
    // first data row of the grid, date column; rows are 16 pixels apart
    static constexpr Point GridRow1{83, 202};
    static constexpr int GridRowStep = 16;
    // the navigator's export and graph buttons beside the grid
    static constexpr Point NavExport{777, 170};
    static constexpr Point NavGraph{777, 191};
    // the graph column menu opens at the pointer; its first item (일자 별 미달러) lies this far off
    static constexpr Point GraphMenuFirstItem{60, 40};
    // the graph window's picture button, in its scroll strip under the chart
    static constexpr Point GraphSaveJpg{336, 613};

    static const QString MainTitle; // "환율관리 프로그램"
    static const QString NoticeTitle; // the message screen's window title
    static const QString SaveFailedTitle; // "저장실패"

    E2eDriver();
    ~E2eDriver();

    // Once per test executable: the X server. Checks with QVERIFY.
    void startDisplay();
    void stopDisplay();
    QString display() const { return m_display; }

    // Per case: fresh system and runtime folders. At the end every program still showing its main
    // window is closed as a window manager closes it and must end with exit status 0, leaving no
    // lock file; when the case failed, the screen and the programs' stderr are kept first.
    void begin();
    void end();

    QString sysDir() const;
    QString runDir() const;
    QString sysFile(const QString &name) const;
    QString demoDatabase() const { return sysFile(QStringLiteral("zozura-demo.db")); }

    // The program to run: $ZOZURA_E2E_PROGRAM (an installed one), else the build's.
    static QString programPath();
    // From now on the case runs the program as a user whose home is `home` and who has no system
    // folder (no ZEVARU_SYSTEM_DIR): the first start's personal database under the home, and
    // check() reads that database.
    void useHome(const QString &home) { m_home = home; }
    QString personalDatabase() const;

    // Starts the program with its system folder and runtimeDir (empty: the case's own). With
    // withoutOverride the program runs without the superuser's power to pass over file
    // permissions, so a folder or file the test made read-only or unreadable is so for it too.
    QProcess *startProgram(const QString &runtimeDir = QString(), bool withoutOverride = false);
    // Everything the program wrote to stderr so far.
    QString programLog(QProcess *p) const;
    // The message screens the program put up so far, each "headline|line1\nline2".
    QStringList notices(QProcess *p) const;
    // Waits until the program has put up more than `seen` message screens; the newest one, or
    // empty text after the timeout.
    QString waitNotice(QProcess *p, int seen, int timeoutMs = 20000);

    QString waitWindow(qint64 pid, const QString &title, int timeoutMs = 15000);
    QString waitAnyBox(qint64 pid, const QStringList &titles, QString *which, int timeoutMs = 20000);
    bool waitGone(const QString &window, int timeoutMs = 10000);
    void answerBox(const QString &window); // Enter on the box; QVERIFY that it went
    // The window manager's close (WM_DELETE_WINDOW, as Alt+F4 on a desktop sends it).
    void closeWindow(const QString &window);
    // Closes the program's main window that way; empty text when the process then ended with
    // exit status 0 and left no lock file, else what went wrong.
    QString closeProgram(QProcess *p, int timeoutMs = 15000);
    void click(const QString &window, Point p);
    void typeInto(const QString &window, Point p, const QString &text);
    void key(const QString &window, const QString &keys);
    // The window's picture as it is on the screen now.
    QImage grab(const QString &window);
    void screenshot(const QString &file);

    // The period typed and queried on the main window `w`.
    void queryPeriod(const QString &w, const QString &from, const QString &to);
    // The graph window for the first rate column, opened through the graph button's column menu.
    QString openGraph(qint64 pid, const QString &w);
    // Answers the program's save dialog `title` with the full file name `file`.
    void saveThroughDialog(qint64 pid, const QString &title, const QString &file);

    // The demo set-up (ZEVARU.DAT, registry.ini, three years of rates in SQLite) in the system folder.
    void prepareDemo();
    // Turns the jump question at save off in registry.ini (prepareDemo and usePostgres do).
    void jumpCheckOff();
    // ZEVARU.DAT pointing at a fresh database of the test PostgreSQL server; fails or skips as
    // the run requires when there is no server.
    void usePostgres(const QString &database);
    bool onPostgres() const { return !m_pgDatabase.isEmpty(); }

    // A connection of the test's own to the program's database, and one value read through it.
    QSqlDatabase check();
    QVariant value(const QString &sql);

    static QString run(const QString &program, const QStringList &args, int *exitCode = nullptr, int timeoutMs = 10000);
    static QString xdo(const QStringList &args, int *exitCode = nullptr);
    static QByteArray fileHash(const QString &path);

private:
    void stopProgram(QProcess *p);

    QProcess m_xvfb;
    QString m_display;
    QString m_artifacts;
    std::unique_ptr<QTemporaryDir> m_sys;
    std::unique_ptr<QTemporaryDir> m_run;
    std::unique_ptr<QTemporaryDir> m_logs;
    QList<QProcess *> m_programs;
    QString m_pgDatabase;
    QString m_home;
};
