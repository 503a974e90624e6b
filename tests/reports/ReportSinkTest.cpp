#include "reports/ReportSink.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

TEST(ReportSink, TextGoesOutInTheCodePageAndBytesAsTheyAre)
{
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ReportSink sink(buffer, CodePage::defaultPage());
    sink.text(QString::fromUtf8("é€\xE2\x98\x83"));  // the snowman is not in the page
    sink.bytes(QByteArray::fromHex("00ff0a"));
    EXPECT_TRUE(sink.ok());
    EXPECT_EQ(buffer.data().toHex(), QByteArray::fromHex("e9803f00ff0a").toHex());
}

TEST(ReportSink, LongFragmentsAreWrittenWhole)
{
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ReportSink sink(buffer, CodePage::defaultPage());
    const QString fragment =
        QStringLiteral("<td>") + QString(5000, QLatin1Char('x')) + QStringLiteral("</td>");
    sink.text(fragment);
    EXPECT_TRUE(sink.ok());
    EXPECT_EQ(buffer.data(), fragment.toLatin1());
}

TEST(ReportSink, TheFirstFailedWriteStopsTheRest)
{
    QBuffer buffer;
    buffer.setData(QByteArray("old"));
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    ReportSink sink(buffer, CodePage::defaultPage());
    sink.text(QStringLiteral("x"));
    EXPECT_FALSE(sink.ok());
    sink.text(QString());  // nothing to write is no repair
    EXPECT_FALSE(sink.ok());
    EXPECT_EQ(buffer.data(), QByteArray("old"));
}

}  // namespace
