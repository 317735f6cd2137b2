/* GETDATE() as a loadable SQLite extension, for connections the program does not open itself
 * (an ODBC data source over the SQLite ODBC driver, via its LoadExt setting). Same text form
 * as the function the program registers: local time "YYYY-MM-DD HH:MM:SS.mmm". */
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include <stdio.h>
#include <sys/time.h>
#include <time.h>

static void getdate(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    (void)argc;
    (void)argv;
    struct timeval tv;
    struct tm local;
    char text[96]; // room for the widest ints the compiler cannot rule out, not only real dates
    gettimeofday(&tv, NULL);
    localtime_r(&tv.tv_sec, &local);
    snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
             local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
             (int)(tv.tv_usec / 1000));
    sqlite3_result_text(ctx, text, -1, SQLITE_TRANSIENT);
}

#ifdef __cplusplus
extern "C"
#endif
int sqlite3_extension_init(sqlite3 *db, char **errmsg, const sqlite3_api_routines *api)
{
    (void)errmsg;
    SQLITE_EXTENSION_INIT2(api);
    return sqlite3_create_function(db, "GETDATE", 0, SQLITE_UTF8, NULL, getdate, NULL, NULL);
}
