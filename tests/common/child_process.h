#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace kav {

// What a finished child process said; status -1 when it crashed or did not end in time.
struct ProcessResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end, offscreen, with standard input read from inputFile when one is given and
// without the environment variables named in unset.
ProcessResult runProcess(const QString& program, const QStringList& arguments, const QString& inputFile = {},
                         int timeoutMs = 120000, const QStringList& unset = {});

// Starts a feed tool that serves TCP ("serving on ADDRESS:PORT" on standard error) and returns its port,
// 0 when it ended or said nothing in time.
quint16 startServing(QProcess& process, const QString& program, const QStringList& arguments);

// An external program the tests need; its absence is a failure that says how to install it.
::testing::AssertionResult toolInstalled(const QString& name);

} // namespace kav
