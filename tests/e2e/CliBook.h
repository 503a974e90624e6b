#pragma once

// A temporary book folder and the built tallyra-cli run on it, with the locale
// (en_US) and the clock (2024-03-05 10:00) pinned unless a test passes its own
// --now before the command.

#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

struct CliResult {
    int exit = -1;
    QString out;
    QString err;
};

class CliBook : public ::testing::Test {
protected:
    static constexpr const char* DefaultNow = "2024-03-05T10:00:00";

    // `now` replaces the pinned clock for this run.
    CliResult cli(const QStringList& arguments, const QString& now = QString::fromLatin1(DefaultNow))
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("TALLYRA_VERBOSE"));
        env.insert(QStringLiteral("TALLYRA_HOME"), m_dir.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TALLYRA_CLI), QStringList{QStringLiteral("--locale"), QStringLiteral("en_US"),
                                                         QStringLiteral("--now"), now} +
                                                 arguments);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    // Runs and checks the exit status; returns the standard output.
    QString ok(const QStringList& arguments, const QString& now = QString::fromLatin1(DefaultNow))
    {
        const CliResult r = cli(arguments, now);
        EXPECT_EQ(r.exit, 0) << arguments.join(u' ').toStdString() << "\n" << r.err.toStdString();
        return r.out;
    }
    QJsonDocument json(const QStringList& arguments, const QString& now = QString::fromLatin1(DefaultNow))
    {
        return QJsonDocument::fromJson(ok(QStringList{QStringLiteral("--json")} + arguments, now).toUtf8());
    }
    // The book's invariants hold: `check` reports no problem.
    void expectCheckPasses()
    {
        const CliResult r = cli({QStringLiteral("check")});
        EXPECT_EQ(r.exit, 0) << r.out.toStdString() << r.err.toStdString();
    }

    QTemporaryDir m_dir;
};
