#pragma once

// Answers as the three services publish them (their documented forms), for one Monday,
// 2024-03-04, with numbers that agree with each other: 1,385.50 won and 24,590 dong a dollar,
// 17.75 dong a won.

#include "../common/localhttp.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace FeedAnswers {

inline QByteArray exim(const QString &usd = QStringLiteral("1,385.5"))
{
    return "[{\"result\":1,\"cur_unit\":\"JPY(100)\",\"ttb\":\"913.54\",\"tts\":\"932.01\",\"deal_bas_r\":\"922.78\","
           "\"bkpr\":\"922\",\"yy_efee_r\":\"0\",\"ten_dd_efee_r\":\"0\",\"kftc_bkpr\":\"922\","
           "\"kftc_deal_bas_r\":\"922.78\",\"cur_nm\":\"일본 옌\"},"
           "{\"result\":1,\"cur_unit\":\"USD\",\"ttb\":\"1,371.64\",\"tts\":\"1,399.35\",\"deal_bas_r\":\""
        + usd.toUtf8()
        + "\",\"bkpr\":\"1,385\",\"yy_efee_r\":\"0\",\"ten_dd_efee_r\":\"0\",\"kftc_bkpr\":\"1,385\","
          "\"kftc_deal_bas_r\":\"1,385.5\",\"cur_nm\":\"미국 달러\"}]";
}

// A wrong data code, a wrong key, the daily limit.
inline QByteArray eximResult(int code)
{
    return "[{\"result\":" + QByteArray::number(code)
        + ",\"cur_unit\":null,\"ttb\":null,\"tts\":null,\"deal_bas_r\":null,\"bkpr\":null,\"yy_efee_r\":null,"
          "\"ten_dd_efee_r\":null,\"kftc_bkpr\":null,\"kftc_deal_bas_r\":null,\"cur_nm\":null}]";
}

inline QByteArray vcbJson(const QDate &day = QDate(2024, 3, 4))
{
    const QByteArray d = day.toString(Qt::ISODate).toLatin1();
    return "{\"Count\":3,\"Date\":\"" + d + "T00:00:00\",\"UpdatedDate\":\"" + d
        + "T08:30:12+07:00\",\"Data\":["
          "{\"currencyName\":\"EURO\",\"currencyCode\":\"EUR\",\"cash\":\"26,205.13\",\"transfer\":\"26,469.83\","
          "\"sell\":\"27,640.43\",\"icon\":\"/-/media/Default-Website/Default-Images/Icons/Flags/im_flag_eur.svg\"},"
          "{\"currencyName\":\"KOREAN WON\",\"currencyCode\":\"KRW\",\"cash\":\"15.98\",\"transfer\":\"17.75\","
          "\"sell\":\"19.37\",\"icon\":\"/-/media/Default-Website/Default-Images/Icons/Flags/im_flag_krw.svg\"},"
          "{\"currencyName\":\"US DOLLAR\",\"currencyCode\":\"USD\",\"cash\":\"24,560.00\",\"transfer\":\"24,590.00\","
          "\"sell\":\"24,930.00\",\"icon\":\"/-/media/Default-Website/Default-Images/Icons/Flags/im_flag_usd.svg\"}]}";
}

// The answer for the day a request asks for ("/vcb?date=2024-03-05").
inline QByteArray vcbFor(const QString &target)
{
    const QDate day = QDate::fromString(target.section(QStringLiteral("date="), 1).left(10), Qt::ISODate);
    return vcbJson(day.isValid() ? day : QDate(2024, 3, 4));
}

inline QByteArray vcbXml()
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<ExrateList>\r\n"
           "  <DateTime>3/4/2024 8:30:12 AM</DateTime>\r\n"
           "  <Exrate CurrencyCode=\"EUR\" CurrencyName=\"EURO                          \" Buy=\"26,205.13\" "
           "Transfer=\"26,469.83\" Sell=\"27,640.43\" />\r\n"
           "  <Exrate CurrencyCode=\"KRW\" CurrencyName=\"KOREAN WON                    \" Buy=\"15.98\" "
           "Transfer=\"17.75\" Sell=\"19.37\" />\r\n"
           "  <Exrate CurrencyCode=\"USD\" CurrencyName=\"US DOLLAR                     \" Buy=\"24,560.00\" "
           "Transfer=\"24,590.00\" Sell=\"24,930.00\" />\r\n"
           "  <Source>Joint Stock Commercial Bank for Foreign Trade of Vietnam - Vietcombank</Source>\r\n"
           "</ExrateList>";
}

// The 90-day file, here two days: won per dollar = KRW / USD = 1,385.48 on the 4th.
inline QByteArray ecb(const QString &krw = QStringLiteral("1504.08"))
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
           "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
           "\t<gesmes:subject>Reference rates</gesmes:subject>\n"
           "\t<gesmes:Sender>\n\t\t<gesmes:name>European Central Bank</gesmes:name>\n\t</gesmes:Sender>\n"
           "\t<Cube>\n"
           "\t\t<Cube time=\"2024-03-04\">\n"
           "\t\t\t<Cube currency=\"USD\" rate=\"1.0856\"/>\n\t\t\t<Cube currency=\"JPY\" rate=\"162.77\"/>\n"
           "\t\t\t<Cube currency=\"KRW\" rate=\""
        + krw.toUtf8()
        + "\"/>\n"
          "\t\t</Cube>\n"
          "\t\t<Cube time=\"2024-03-01\">\n"
          "\t\t\t<Cube currency=\"USD\" rate=\"1.0838\"/>\n\t\t\t<Cube currency=\"KRW\" rate=\"1501.60\"/>\n"
          "\t\t</Cube>\n"
          "\t</Cube>\n"
          "</gesmes:Envelope>";
}

inline QByteArray htmlPage()
{
    return "<!DOCTYPE html>\n<html><head><title>점검 안내</title></head><body><h1>서비스 점검 중입니다</h1>"
           "</body></html>";
}

// A local server's answer as the three services give it: /exim? (with `eximAnswer`), /vcb? for the
// day asked, /ecb, and 404 for anything else.
inline LocalHttp::Reply servedDay(const QString &target, const QByteArray &eximAnswer = exim())
{
    LocalHttp::Reply r;
    if (target.startsWith(QLatin1String("/exim?")))
        r.body = eximAnswer;
    else if (target.startsWith(QLatin1String("/vcb?")))
        r.body = vcbFor(target);
    else if (target == u"/ecb")
        r.body = ecb();
    else
        r.status = 404;
    return r;
}

// rate-sources.ini pointing the three services at the local server of `port`, as servedDay answers.
inline QByteArray localSources(quint16 port)
{
    const QByteArray base = "http://127.0.0.1:" + QByteArray::number(port);
    return "[eximbank]\nurl=" + base + "/exim?authkey={key}&searchdate={yyyyMMdd}\n[vietcombank]\nurl=" + base
        + "/vcb?date={yyyy-MM-dd}\n[ecb]\nurl=" + base + "/ecb\n";
}

} // namespace FeedAnswers
