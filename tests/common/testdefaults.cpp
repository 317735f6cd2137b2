// Linked into every test program, so that it runs on its own as well as under ctest: the two
// folders and the offscreen platform that ctest puts into the environment get this build's
// values when the environment leaves them unset. A value in the environment still wins.

#include <QByteArray>
#include <QtGlobal>

namespace {

void setDefault(const char *name, const char *value)
{
    if (qEnvironmentVariableIsEmpty(name))
        qputenv(name, QByteArray(value));
}

void setTestDefaults()
{
    setDefault("ZOZURA_SOURCE_DIR", ZOZURA_DEFAULT_SOURCE_DIR);
    setDefault("ZOZURA_BUILD_DIR", ZOZURA_DEFAULT_BUILD_DIR);
    // the widgets tests need no display; the end-to-end driver picks xcb for the program itself
    setDefault("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

// before main(), so that QApplication already sees the platform
Q_CONSTRUCTOR_FUNCTION(setTestDefaults)
