// tallyra-cli import ACCOUNT FILE on a temporary book.

#include "CliBook.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

namespace {

class ImportCliTest : public CliBook {
protected:
    void SetUp() override { ASSERT_EQ(ok({"init", "Cash", "USD"}), QStringLiteral("1\n")); }

    QString write(const char* name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QJsonArray transactions()
    {
        return json({"register", "Cash"}).object().value(QStringLiteral("transactions")).toArray();
    }
};

const QByteArray Statement = "!Type:Bank\r\n"
                             "D02/01/2024\r\nT-12.50\r\nPGrocer\r\nN7\r\nLFood:Groceries/Home\r\nC*\r\n^\r\n"
                             "D02/03/2024\r\nT1,000.00\r\nPEmployer\r\nL[Savings]\r\n^\r\n"
                             "D00/00/00\r\nT5\r\nPBroken\r\n^\r\n";

TEST_F(ImportCliTest, ImportsOnceAndFindsEverythingAgain)
{
    const QString file = write("statement.qif", Statement);
    EXPECT_EQ(ok({"import", "Cash", file}), QStringLiteral("Import Succesful\n"));
    const QJsonArray rows = transactions();
    ASSERT_EQ(rows.size(), 2);
    const QJsonObject grocer = rows[0].toObject();
    EXPECT_EQ(grocer.value("description").toString(), "Grocer");
    EXPECT_EQ(grocer.value("amount").toInteger(), -1250);
    EXPECT_EQ(grocer.value("date").toString(), "2024-02-01T00:00:00.001");
    EXPECT_EQ(grocer.value("category").toString(), "Food:Groceries");
    EXPECT_EQ(grocer.value("project").toString(), "Home");
    EXPECT_EQ(grocer.value("number").toString(), "7");
    EXPECT_EQ(grocer.value("mark").toInt(), 1);
    EXPECT_EQ(rows[1].toObject().value("category").toString(), "");
    EXPECT_EQ(rows[1].toObject().value("balance").toInteger(), 98750);
    expectCheckPasses();

    const QJsonObject again = json({"import", "1", file}).object();
    EXPECT_EQ(again.value("added").toInteger(), 0);
    EXPECT_EQ(again.value("merged").toInteger(), 2);
    EXPECT_EQ(again.value("dropped").toInteger(), 1);
    EXPECT_FALSE(again.value("stopped").toBool());
    EXPECT_EQ(transactions().size(), 2);
    EXPECT_EQ(ok({"accounts"}), QStringLiteral("1\tCash\tUSD\t987.50\n"));
}

TEST_F(ImportCliTest, LocaleAndCodePageReachTheImport)
{
    // Neither date settles an order: the locale's short-date order decides.
    const QString file = write("plain.qif", "D01/02/03\nP\xC2\xA3 shop\n^\n");
    ok({"--locale", "de_DE", "--codepage", "UTF-8", "import", "Cash", file});
    const QJsonObject row = transactions()[0].toObject();
    EXPECT_EQ(row.value("date").toString(), "2003-02-01T00:00:00.001");
    EXPECT_EQ(row.value("description").toString(), QStringLiteral("\u00A3 shop"));
}

TEST_F(ImportCliTest, FailuresAndBadUsage)
{
    const CliResult missing = cli({"import", "Cash", m_dir.filePath("none.qif")});
    EXPECT_EQ(missing.exit, 1);
    EXPECT_TRUE(missing.err.contains("File read error")) << missing.err.toStdString();
    EXPECT_TRUE(missing.err.contains("Import Failure")) << missing.err.toStdString();

    const CliResult noAccount = cli({"import", "Nowhere", write("a.qif", "D1/2/03\n^\n")});
    EXPECT_EQ(noAccount.exit, 1);

    const CliResult usage = cli({"import", "Cash"});
    EXPECT_EQ(usage.exit, 2);
    EXPECT_TRUE(usage.err.contains("expected ACCOUNT FILE")) << usage.err.toStdString();
    EXPECT_TRUE(transactions().isEmpty());
}

}  // namespace
