// The navigator on a small window for a look under Xvfb: gridnav_demo [rows] [first row] [go|focus]
#include "navtestform.h"

#include "gridnav/ssscroll.h"
#include "platform/spread/spreadgrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    NavTestForm form;
    form.fill(argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1500);
    form.show();
    const int first = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 1;
    const QString extra = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    QTimer::singleShot(200, &form, [&] {
        form.grid->setFirstVisibleRow(first);
        if (extra == QLatin1String("go"))
            sbSS_MOVE_GoShow(form.info);
        else if (extra == QLatin1String("focus"))
            form.info.txtMax->setFocus();
    });
    return app.exec();
}
